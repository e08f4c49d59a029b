// The code page 932 tables against glibc's own converter, which they were
// generated from: every one- and two-byte sequence and every scalar value,
// refusals included, and malformed UTF-8.
#include <gtest/gtest.h>
#include <iconv.h>

#include <memory>
#include <optional>
#include <string>

#include "store/code_page.h"

namespace {
class Iconv {
  public:
    Iconv(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;

    std::optional<std::string> operator()(std::string input)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string output(input.size() * 4 + 4, '\0');
        char *in = input.data();
        char *out = output.data();
        std::size_t inLeft = input.size();
        std::size_t outLeft = output.size();
        if (iconv(cd_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        output.resize(output.size() - outLeft);
        return output;
    }

  private:
    iconv_t cd_;
};

std::string Utf8(char32_t c)
{
    std::string s;
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    if (c < 0x800)
        return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
            static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}

TEST(CodePageTable, DecodesEverySequenceAsGlibc)
{
    Iconv glibc("UTF-8", "CP932");
    for (int first = 0; first < 256; ++first) {
        const std::string one(1, static_cast<char>(first));
        ASSERT_EQ(ConvertCp932ToUtf8(one), glibc(one)) << std::hex << first;
        for (int second = 0; second < 256; ++second) {
            const std::string two{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_EQ(ConvertCp932ToUtf8(two), glibc(two)) << std::hex << first << ' ' << second;
        }
    }
    EXPECT_EQ(ConvertCp932ToUtf8(""), "");
}

TEST(CodePageTable, EncodesEveryScalarValueAsGlibc)
{
    Iconv glibc("CP932", "UTF-8");
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        ASSERT_EQ(ConvertUtf8ToCp932(Utf8(c)), glibc(Utf8(c))) << std::hex << static_cast<unsigned>(c);
    }
    // Well-formed text converts as a whole; a malformed sequence anywhere
    // refuses all of it, as glibc does.
    for (const std::string text : {"\xE9\x83\xA8\xE5\xB1\x8B a", "a\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80",
                                   "\xF4\x90\x80\x80", "\xE9\x83", "\x80", "\xF8\x88\x80\x80\x80", "\xFF"})
        EXPECT_EQ(ConvertUtf8ToCp932(text), glibc(text)) << text;
}
} // namespace
