#include "code_page.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

#include "code_page_table_data.h"

// Conversions by the tables generated from glibc's converter, for C libraries
// that convert no code page 932 (emscripten's): the same results, refusals
// included.

namespace {
using namespace cp932_table;

std::uint16_t DecodedPair(unsigned char lead, unsigned char trail)
{
    const int row = LeadRow[lead];
    if (row < 0 || trail < TrailFirst || trail > TrailLast)
        return None;
    return DoubleByte[row][trail - TrailFirst];
}

void AppendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
}

// The scalar value at text[at] (moving at past it), or nothing when the
// bytes there are no well-formed UTF-8: overlong forms, surrogates, values
// past U+10FFFF and cut sequences are refused.
std::optional<char32_t> NextScalar(std::string_view text, std::size_t &at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    int length = 0;
    char32_t value = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 1, value = lead & 0x1F, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 2, value = lead & 0x0F, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 3, value = lead & 0x07, lowest = 0x10000;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < length; ++i, ++at) {
        if (at == text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (static_cast<unsigned char>(text[at]) & 0x3F);
    }
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return value;
}

struct Encoding {
    char32_t character;
    std::uint16_t code;
    bool operator<(const Encoding &other) const { return character < other.character; }
};

bool IsLate(std::uint16_t code)
{
    return std::find(std::begin(LateLeads), std::end(LateLeads), code >> 8) != std::end(LateLeads);
}

// Every character's sequence, by character: the inverse of decoding, the
// lowest sequence outside the late leads first, then the exceptions.
std::vector<Encoding> MakeEncodings()
{
    std::vector<Encoding> all;
    for (int b = 0; b < 256; ++b) {
        if (SingleByte[b] != None)
            all.push_back({SingleByte[b], static_cast<std::uint16_t>(b)});
        for (int trail = TrailFirst; trail <= TrailLast; ++trail) {
            const std::uint16_t c =
                DecodedPair(static_cast<unsigned char>(b), static_cast<unsigned char>(trail));
            if (c != None)
                all.push_back({c, static_cast<std::uint16_t>(b << 8 | trail)});
        }
    }
    std::sort(all.begin(), all.end(), [](const Encoding &a, const Encoding &b) {
        return std::tuple(a.character, IsLate(a.code), a.code) <
               std::tuple(b.character, IsLate(b.code), b.code);
    });
    all.erase(std::unique(all.begin(), all.end(),
                          [](const Encoding &a, const Encoding &b) { return a.character == b.character; }),
              all.end());
    for (const EncodingException &exception : EncodingExceptions) {
        const Encoding entry{exception.character, exception.code};
        const auto at = std::lower_bound(all.begin(), all.end(), entry);
        if (at != all.end() && at->character == entry.character)
            at->code = entry.code;
        else
            all.insert(at, entry);
    }
    return all;
}

bool IsDropped(char32_t c)
{
    return std::any_of(std::begin(Dropped), std::end(Dropped),
                       [c](const char32_t(&range)[2]) { return c >= range[0] && c <= range[1]; });
}

std::uint16_t Encoded(char32_t c)
{
    static const std::vector<Encoding> encodings = MakeEncodings();
    const auto at = std::lower_bound(encodings.begin(), encodings.end(), Encoding{c, 0});
    return at != encodings.end() && at->character == c ? at->code : None;
}
} // namespace

std::optional<std::string> ConvertCp932ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 3 / 2);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        std::uint16_t c = SingleByte[byte];
        if (LeadRow[byte] >= 0)
            c = ++at < text.size() ? DecodedPair(byte, static_cast<unsigned char>(text[at])) : None;
        if (c == None)
            return std::nullopt;
        AppendUtf8(out, c);
    }
    return out;
}

std::optional<std::string> ConvertUtf8ToCp932(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto c = NextScalar(text, at);
        if (c && IsDropped(*c))
            continue;
        const std::uint16_t code = c ? Encoded(*c) : None;
        if (code == None)
            return std::nullopt;
        if (code > 0xFF)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}
