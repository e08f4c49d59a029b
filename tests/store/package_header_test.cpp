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
        SetHeaderText(TestHeader, RemarksText, text);
        EXPECT_EQ(TestHeader.bytes[RemarksLengthOffset], length);
        EXPECT_EQ(GetHeaderText(TestHeader, RemarksText), text);
    }

    const std::string withZero("ab\0cd", 5);
    SetHeaderText(TestHeader, NameText, withZero);
    EXPECT_EQ(TestHeader.bytes[NameLengthOffset], 5);
    EXPECT_EQ(GetHeaderText(TestHeader, NameText), withZero);
    EXPECT_STREQ(GetHeaderText(TestHeader, NameText).c_str(), "ab");
}

TEST_F(PackageHeaderTest, TheThreeTextsLieInTheirOwnAreas)
{
    TestHeader.bytes.fill(0x77);
    SetHeaderText(TestHeader, NameText, TextOf(255, 'a'));
    SetHeaderText(TestHeader, RemarksText, "\x95\x94\x89\xAE\r\n");
    SetHeaderText(TestHeader, AuthorText, "");

    EXPECT_EQ(TestHeader.bytes[NameLengthOffset], 255);
    EXPECT_EQ(TestHeader.bytes[NameLengthOffset + 255], 'a' + 254 % 50);
    EXPECT_EQ(TestHeader.bytes[RemarksLengthOffset], 6);
    EXPECT_EQ(TestHeader.bytes[AuthorLengthOffset], 0);
    EXPECT_EQ(TestHeader.bytes[AuthorLengthOffset + 1], 0x77);
    EXPECT_EQ(TestHeader.bytes[31], 0x77);
    EXPECT_EQ(TestHeader.bytes[800], 0x77);
    EXPECT_EQ(GetHeaderText(TestHeader, NameText), TextOf(255, 'a'));
    EXPECT_EQ(GetHeaderText(TestHeader, RemarksText), "\x95\x94\x89\xAE\r\n");
    EXPECT_EQ(GetHeaderText(TestHeader, AuthorText), "");
}

TEST_F(PackageHeaderTest, ShorterTextOverLongerKeepsTheTailUnseen)
{
    SetHeaderText(TestHeader, AuthorText, "abcdefgh");
    SetHeaderText(TestHeader, AuthorText, "XY");
    EXPECT_EQ(GetHeaderText(TestHeader, AuthorText), "XY");
    const std::string area(TestHeader.bytes.begin() + AuthorLengthOffset + 1,
                           TestHeader.bytes.begin() + AuthorLengthOffset + 9);
    EXPECT_EQ(area, "XYcdefgh");
}

TEST_F(PackageHeaderTest, AnOverlongTextIsCutToTheAreaAndSparesTheNextText)
{
    SetHeaderText(TestHeader, RemarksText, "keep");
    SetHeaderText(TestHeader, NameText, TextOf(300, '0'));
    EXPECT_EQ(TestHeader.bytes[NameLengthOffset], 255);
    EXPECT_EQ(GetHeaderText(TestHeader, NameText), TextOf(255, '0'));
    EXPECT_EQ(GetHeaderText(TestHeader, RemarksText), "keep");
}
} // namespace
