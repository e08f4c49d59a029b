#include "app/os_gate.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace {
constexpr std::uint32_t Win32s = 0;

SystemVerdict Classify(std::uint32_t platform, std::uint32_t major, std::uint32_t minor)
{
    return ClassifySystem(platform, major, minor);
}
} // namespace

TEST(OsGate, Windows9xPassesOnlyAsNinetyFiveNinetyEightAndMe)
{
    EXPECT_EQ(Classify(PlatformWin32Windows, 4, 0), SystemVerdict::Pass);
    EXPECT_EQ(Classify(PlatformWin32Windows, 4, 10), SystemVerdict::Pass);
    EXPECT_EQ(Classify(PlatformWin32Windows, 4, 90), SystemVerdict::Pass);
    for (std::uint32_t minor : {1u, 9u, 11u, 89u, 91u, 255u})
        EXPECT_EQ(Classify(PlatformWin32Windows, 4, minor), SystemVerdict::Warn) << minor;
    for (std::uint32_t major : {0u, 3u, 5u, 6u, 10u})
        for (std::uint32_t minor : {0u, 10u, 90u})
            EXPECT_EQ(Classify(PlatformWin32Windows, major, minor), SystemVerdict::Warn)
                << major << "." << minor;
}

TEST(OsGate, NtRefusesFourPassesTwoThousandAndXpWarnsOtherwise)
{
    for (std::uint32_t minor : {0u, 1u, 10u, 90u})
        EXPECT_EQ(Classify(PlatformWin32Nt, 4, minor), SystemVerdict::Refuse) << minor;
    EXPECT_EQ(Classify(PlatformWin32Nt, 5, 0), SystemVerdict::Pass);
    EXPECT_EQ(Classify(PlatformWin32Nt, 5, 1), SystemVerdict::Pass);
    EXPECT_EQ(Classify(PlatformWin32Nt, 5, 2), SystemVerdict::Warn); // Server 2003, XP x64
    EXPECT_EQ(Classify(PlatformWin32Nt, 5, 3), SystemVerdict::Warn);
    for (std::uint32_t major : {3u, 6u, 10u, 0u})
        for (std::uint32_t minor : {0u, 1u, 2u, 51u})
            EXPECT_EQ(Classify(PlatformWin32Nt, major, minor), SystemVerdict::Warn) << major << "." << minor;
}

TEST(OsGate, OtherPlatformsAreRefused)
{
    for (std::uint32_t platform : {Win32s, 3u, 4u, 0xFFFFFFFFu})
        for (std::uint32_t major : {4u, 5u, 6u})
            for (std::uint32_t minor : {0u, 1u, 10u, 90u})
                EXPECT_EQ(Classify(platform, major, minor), SystemVerdict::Refuse);
}

TEST(OsGate, MessagesAreCodePage932)
{
    EXPECT_STREQ(UnsupportedSystemMessage,
                 "\x82\xb1\x82\xcc"
                 "Windows"
                 "\x82\xc9\x82\xcd\x91\xce\x89\x9e\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1");
    EXPECT_STREQ(UntestedSystemMessage,
                 "\x82\xb1\x82\xcc"
                 "Windows"
                 "\x82\xc9\x82\xcd\x96\xa2\x91\xce\x89\x9e\x82\xc5\x82\xb7\n"
                 "\x93\xae\x8d\xec\x82\xcc\x95\xdb\x8f\xd8\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1");
}
