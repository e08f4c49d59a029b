#include <gtest/gtest.h>

#include "core/compose_rules.h"
#include "core/messages.h"

namespace {
const std::string TwoByte = "表"; // 95 5C
const std::string HalfWidthKatakana = "\xB1";
} // namespace

TEST(TextCutting, KeepsWholeUnitsWithinTheCapacity)
{
    EXPECT_EQ(CutToTextCapacity(std::string(300, 'a')), std::string(255, 'a'));
    EXPECT_EQ(CutToTextCapacity(std::string(253, 'a') + TwoByte), std::string(253, 'a') + TwoByte);
    EXPECT_EQ(CutToTextCapacity(std::string(254, 'a') + TwoByte), std::string(254, 'a'));
    EXPECT_EQ(CutToTextCapacity(std::string(254, 'a') + HalfWidthKatakana), std::string(254, 'a'));
    EXPECT_EQ(CutToTextCapacity(std::string(254, 'a')), std::string(254, 'a'));
    EXPECT_EQ(CutToTextCapacity(""), "");

    std::string twoByteText;
    for (int i = 0; i < 127; ++i)
        twoByteText += TwoByte;
    EXPECT_EQ(CutToTextCapacity(twoByteText + "a"), twoByteText + "a");
    EXPECT_EQ(CutToTextCapacity(twoByteText + TwoByte), twoByteText);

    // After a half-width katakana the units are out of step with the
    // characters; the cut never keeps the first byte of a character alone.
    EXPECT_EQ(CutToTextCapacity(std::string(253, 'a') + HalfWidthKatakana + TwoByte),
              std::string(253, 'a') + HalfWidthKatakana);
    std::string highTrailText; // "あ" is 82 A0: its second byte opens a unit too
    for (int i = 0; i < 127; ++i)
        highTrailText += "あ";
    EXPECT_EQ(CutToTextCapacity(HalfWidthKatakana + highTrailText),
              HalfWidthKatakana + highTrailText.substr(0, 252));
}

TEST(TextCutting, KeepsALineBreakWhole)
{
    // CR opens a unit that takes LF with it.
    EXPECT_EQ(CutToTextCapacity(std::string(253, 'a') + "\r\n"), std::string(253, 'a') + "\r\n");
    EXPECT_EQ(CutToTextCapacity(std::string(254, 'a') + "\r\n"), std::string(254, 'a'));
    EXPECT_EQ(CutToTextCapacity(std::string(252, 'a') + "\r\nbbb"), std::string(252, 'a') + "\r\nb");
}

TEST(ComposeNames, AllowsPlainAndJapaneseNames)
{
    for (const std::string name : {"new", "abc.pac", ".hidden", "表", "ソ", "表示ソフト", "ｱｲｳ", "a b",
                                   "console", "COM10", "auxiliary.x", "部屋 1", "abc.", "abc ", "."})
        EXPECT_TRUE(IsUsableComposeName(name)) << name;
}

TEST(ComposeNames, RefusesWhatNoPackageFileCanBeCalled)
{
    for (const std::string name : {"",     "a\\b",       "a/b",  "c:x",      "a*",   "a?",       "a\"b",
                                   "a<b",  "a>b",        "a|b",  "a\tb",     "CON",  "con",      "com1.x",
                                   "LPT9", "nul.tar.gz", "Aux ", "PRN .txt", "\x95", "\x81\x20", "\xFF"})
        EXPECT_FALSE(IsUsableComposeName(name)) << name;
    EXPECT_FALSE(IsUsableComposeName(std::string("a\0b", 3)));
}

TEST(Messages, AreTheEditorsTexts)
{
    EXPECT_EQ(NotEightBitRecordMessage(7), "No.07のデータは、２５６色(8ﾋﾞｯﾄ)でないので扱えません");
    EXPECT_EQ(OversizedRecordMessage(33), "No.33のデータは、大きいので扱えません");
    EXPECT_EQ(BaseMissingMessage("05x.bmp"),
              "基本データ[05x.bmp]が見つかりませんでした\n現在表示中のデータを使用します");
    EXPECT_EQ(OverwriteQuestion(), "同名のFILEが既に存在します\n上書きしますか？");
    EXPECT_EQ(InvalidFileNameMessage("a|b"), "FILE名[a|b]は使えません");
    EXPECT_EQ(ExportFailedMessage({"00a.BMP", "20a.BMP"}),
              "部品データが書き込めませんでした\n00a.BMP\n20a.BMP");
    // Code page 932 bytes, not UTF-8.
    EXPECT_EQ(TooLargeMessage().substr(0, 4), "\x82\xb1\x82\xcc");
}
