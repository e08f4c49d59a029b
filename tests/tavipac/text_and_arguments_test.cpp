// Code page 932 at the edges, the command line and the help texts.
#include "command_error.h"
#include "tavipac_test_support.h"
#include "text_conversion.h"

namespace {

TEST(TavipacText, CommandLineTextsBecomeCodePage932OrAreRefused)
{
    EXPECT_EQ(Utf8ToCp932(Utf8(u8"部屋の部品集 ～①ｱ"), "the text"), "部屋の部品集 ～①ｱ");
    EXPECT_EQ(Cp932ToUtf8("部屋\r\n"), Utf8(u8"部屋\r\n"));
    EXPECT_EQ(Cp932ToUtf8("a\x81"), Utf8(u8"a\uFFFD")) << "a lead byte without its second byte";
    EXPECT_EQ(Cp932ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
    try {
        Utf8ToCp932(Utf8(u8"ab€"), "the name text");
        ADD_FAILURE() << "the euro sign has no code page 932 form";
    } catch (const UsageError &error) {
        const std::string expected =
            Utf8(u8"the character '€' (U+20AC) in the name text cannot be written in code page 932");
        EXPECT_EQ(std::string(error.what()), expected);
    }
    EXPECT_THROW(Utf8ToCp932("\xFF\xFE", "the text"), UsageError);
}

TEST(TavipacCommandLine, HelpUsageErrorsAndExitCodes)
{
    TavipacRun run = Tavipac({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("compose"), std::string::npos);
    for (const char *command : {"info", "list", "check", "export", "compose", "preview", "convert"}) {
        run = Tavipac({command, "--help"});
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_EQ(run.out.rfind(std::string("usage: tavipac ") + command, 0), 0u) << command;
    }
    EXPECT_NE(Tavipac({"export", "--help"}).out.find(Utf8(u8"部屋の部品集")), std::string::npos)
        << "help is UTF-8";

    EXPECT_EQ(Tavipac({}).exitCode, 2);
    run = Tavipac({"frobnicate"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "tavipac: unknown command frobnicate (see: tavipac --help)\n");
    run = Tavipac({"info", "a.pac", "--colour"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "tavipac info: unknown option --colour\n(see: tavipac info --help)\n");
    EXPECT_EQ(Tavipac({"info"}).exitCode, 2);
    EXPECT_EQ(Tavipac({"convert", "a.png"}).exitCode, 2) << "-o is required";
    EXPECT_EQ(Tavipac({"compose", "a.pac", "-o", "b.pac", "--part", "5"}).exitCode, 2);
}

} // namespace
