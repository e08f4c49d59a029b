#include <gtest/gtest.h>

#include "store/package_header.h"
#include "store_test_support.h"

namespace {
constexpr std::size_t NameLengthOffset = 32;
constexpr std::size_t RemarksLengthOffset = 288;
constexpr std::size_t AuthorLengthOffset = 544;

class PackageHeaderTest : public testing::Test {
  protected:
    void SetUp() override { ResetStore(); }
};

std::string TextOf(std::size_t length, char first)
{
    std::string text(length, ' ');
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>(first + i % 50);
    }
    return text;
}

TEST_F(PackageHeaderTest, TextsOfEveryLengthAreStoredWholeWithTheirTrueLengthByte)
{
    for (const std::size_t length :
         {std::size_t{0}, std::size_t{1}, std::size_t{128}, std::size_t{200}, std::size_t{255}}) {
        const std::string text = TextOf(length, 'A');
        SetHeaderText(RemarksText, text);
        EXPECT_EQ(PackageHeader.bytes[RemarksLengthOffset], length);
        EXPECT_EQ(GetHeaderText(RemarksText), text);
    }

    const std::string withZero("ab\0cd", 5);
    SetHeaderText(NameText, withZero);
    EXPECT_EQ(PackageHeader.bytes[NameLengthOffset], 5);
    EXPECT_EQ(GetHeaderText(NameText), withZero);
    EXPECT_STREQ(GetHeaderText(NameText).c_str(), "ab");
}

TEST_F(PackageHeaderTest, TheThreeTextsLieInTheirOwnAreas)
{
    PackageHeader.bytes.fill(0x77);
    SetHeaderText(NameText, TextOf(255, 'a'));
    SetHeaderText(RemarksText, "\x95\x94\x89\xAE\r\n");
    SetHeaderText(AuthorText, "");

    EXPECT_EQ(PackageHeader.bytes[NameLengthOffset], 255);
    EXPECT_EQ(PackageHeader.bytes[NameLengthOffset + 255], 'a' + 254 % 50);
    EXPECT_EQ(PackageHeader.bytes[RemarksLengthOffset], 6);
    EXPECT_EQ(PackageHeader.bytes[AuthorLengthOffset], 0);
    EXPECT_EQ(PackageHeader.bytes[AuthorLengthOffset + 1], 0x77);
    EXPECT_EQ(PackageHeader.bytes[31], 0x77);
    EXPECT_EQ(PackageHeader.bytes[800], 0x77);
    EXPECT_EQ(GetHeaderText(NameText), TextOf(255, 'a'));
    EXPECT_EQ(GetHeaderText(RemarksText), "\x95\x94\x89\xAE\r\n");
    EXPECT_EQ(GetHeaderText(AuthorText), "");
}

TEST_F(PackageHeaderTest, ShorterTextOverLongerKeepsTheTailUnseen)
{
    SetHeaderText(AuthorText, "abcdefgh");
    SetHeaderText(AuthorText, "XY");
    EXPECT_EQ(GetHeaderText(AuthorText), "XY");
    const std::string area(PackageHeader.bytes.begin() + AuthorLengthOffset + 1,
                           PackageHeader.bytes.begin() + AuthorLengthOffset + 9);
    EXPECT_EQ(area, "XYcdefgh");
}

TEST_F(PackageHeaderTest, AnOverlongTextIsCutToTheAreaAndSparesTheNextText)
{
    SetHeaderText(RemarksText, "keep");
    SetHeaderText(NameText, TextOf(300, '0'));
    EXPECT_EQ(PackageHeader.bytes[NameLengthOffset], 255);
    EXPECT_EQ(GetHeaderText(NameText), TextOf(255, '0'));
    EXPECT_EQ(GetHeaderText(RemarksText), "keep");
}
} // namespace
