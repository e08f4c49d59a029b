#include "shown_text.h"

#include <cstdio>

#include "text_conversion.h"

namespace {

std::string HexByte(unsigned char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02x", byte);
    return text;
}

} // namespace

std::string OneLine(std::string_view utf8)
{
    std::string line;
    for (const char c : utf8) {
        switch (c) {
        case '\\': line += "\\\\"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        case '\t': line += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                line += HexByte(static_cast<unsigned char>(c));
            } else {
                line += c;
            }
        }
    }
    return line;
}

std::string ShownText(const std::string &cp932)
{
    return OneLine(Cp932ToUtf8(cp932.substr(0, cp932.find('\0'))));
}
