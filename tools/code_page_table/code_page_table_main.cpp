// Writes store/code_page_table_data.h: the code page 932 conversions of the
// C library's converter (glibc's "CP932", through store/code_page_posix.cpp)
// as tables, for the builds whose C library converts no code page 932.
//
// Decoding: the character of every single byte and of every two-byte
// sequence. Encoding: the inverse of decoding, taking a character's lowest
// sequence whose lead byte the converter ever encodes to (the NEC-selected
// rows it only decodes are the "late" leads, taken last), except where the
// converter encodes a character otherwise or refuses it: those characters
// are listed with the converter's sequence (0xFFFF when refused), and the
// ranges of characters it leaves out.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "store/code_page.h"

namespace {
constexpr std::uint16_t None = 0xFFFF;
constexpr int TrailFirst = 0x40;
constexpr int TrailLast = 0xFC;

std::optional<char32_t> DecodeOne(const std::string &utf8)
{
    char32_t value = 0;
    int length = 0;
    const auto lead = static_cast<unsigned char>(utf8[0]);
    if (lead < 0x80) {
        value = lead;
        length = 1;
    } else if (lead < 0xE0) {
        value = lead & 0x1F;
        length = 2;
    } else if (lead < 0xF0) {
        value = lead & 0x0F;
        length = 3;
    } else {
        value = lead & 0x07;
        length = 4;
    }
    if (static_cast<int>(utf8.size()) != length)
        return std::nullopt;
    for (int i = 1; i < length; ++i)
        value = (value << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    return value;
}

std::string EncodeUtf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// The one character the bytes decode to, or None (also where two bytes are
// two characters).
std::uint16_t Decoded(const std::string &bytes)
{
    const auto utf8 = ConvertCp932ToUtf8(bytes);
    if (!utf8 || utf8->empty())
        return None;
    const auto value = DecodeOne(*utf8);
    if (value && *value >= None) {
        std::fprintf(stderr, "code_page_table: a sequence decodes to a character outside the BMP\n");
        std::exit(1);
    }
    return value ? static_cast<std::uint16_t>(*value) : None;
}

// The sequence of the character; None where refused, Dropped where the
// converter leaves it out (as glibc does with the tag characters).
constexpr std::uint16_t Dropped = 0xFFFE;

std::uint16_t Encoded(char32_t c)
{
    const auto bytes = ConvertUtf8ToCp932(EncodeUtf8(c));
    if (bytes && bytes->empty())
        return Dropped;
    if (!bytes || bytes->size() > 2)
        return None;
    std::uint16_t code = 0;
    for (const char b : *bytes)
        code = static_cast<std::uint16_t>((code << 8) | static_cast<unsigned char>(b));
    return code;
}

struct Tables {
    std::vector<std::uint16_t> single = std::vector<std::uint16_t>(256, None);
    std::vector<int> leadRow = std::vector<int>(256, -1);
    std::vector<std::vector<std::uint16_t>> rows;
    std::vector<int> lateLeads;
    std::map<char32_t, std::uint16_t> exceptions;
    std::vector<std::pair<char32_t, char32_t>> dropped;
};

// Every sequence of each character, lowest first.
using Sequences = std::map<char32_t, std::vector<std::uint16_t>>;

// The sequence the tables give a character: its lowest outside the late
// leads, else its lowest.
std::uint16_t Inverse(const std::vector<std::uint16_t> &sequences, const std::vector<int> &lateLeads)
{
    for (const std::uint16_t code : sequences)
        if (std::find(lateLeads.begin(), lateLeads.end(), code >> 8) == lateLeads.end())
            return code;
    return sequences.front();
}

void ReadEncoding(Tables &t, const Sequences &sequences)
{
    std::map<char32_t, std::uint16_t> encoded;
    std::vector<bool> encodedLead(256, false);
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::uint16_t code = Encoded(c);
        if (code == Dropped) {
            if (t.dropped.empty() || t.dropped.back().second != c - 1)
                t.dropped.emplace_back(c, c);
            t.dropped.back().second = c;
            continue;
        }
        encoded[c] = code;
        if (code != None)
            encodedLead[code >> 8] = true;
    }
    for (int lead = 0x80; lead < 256; ++lead)
        if (t.leadRow[lead] >= 0 && !encodedLead[lead])
            t.lateLeads.push_back(lead);
    for (const auto &[c, code] : encoded) {
        const auto found = sequences.find(c);
        if (code != (found == sequences.end() ? None : Inverse(found->second, t.lateLeads)))
            t.exceptions.emplace(c, code);
    }
}

Tables Read()
{
    Tables t;
    Sequences sequences;
    for (int b = 0; b < 256; ++b) {
        t.single[b] = Decoded(std::string(1, static_cast<char>(b)));
        if (t.single[b] != None)
            sequences[t.single[b]].push_back(static_cast<std::uint16_t>(b));
    }
    for (int lead = 0x80; lead < 256; ++lead) {
        std::vector<std::uint16_t> row;
        bool any = false;
        for (int trail = TrailFirst; trail <= TrailLast; ++trail) {
            row.push_back(Decoded({static_cast<char>(lead), static_cast<char>(trail)}));
            any = any || row.back() != None;
            if (row.back() != None)
                sequences[row.back()].push_back(static_cast<std::uint16_t>(lead << 8 | trail));
        }
        for (int trail : {0, TrailFirst - 1, TrailLast + 1, 0xFF})
            if (Decoded({static_cast<char>(lead), static_cast<char>(trail)}) != None) {
                std::fprintf(stderr, "code_page_table: a trail byte outside 40..FC\n");
                std::exit(1);
            }
        if (any) {
            t.leadRow[lead] = static_cast<int>(t.rows.size());
            t.rows.push_back(row);
        }
    }
    ReadEncoding(t, sequences);
    return t;
}

void WriteList(std::FILE *out, const std::vector<std::uint16_t> &values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        std::fprintf(out, "%s0x%X,", i % 14 == 0 ? "\n    " : "", values[i]);
}

void Write(std::FILE *out, const Tables &t)
{
    std::fprintf(out,
                 "// Generated by tools/code_page_table from glibc's \"CP932\" converter: do not edit.\n"
                 "// Read by store/code_page_table.cpp only.\n#pragma once\n\n#include <cstdint>\n\n"
                 "namespace cp932_table {\n"
                 "inline constexpr std::uint16_t None = 0x%X;\n"
                 "inline constexpr int TrailFirst = 0x%X;\ninline constexpr int TrailLast = 0x%X;\n\n",
                 None, TrailFirst, TrailLast);
    std::fprintf(out, "// The character of each byte alone; None for lead bytes and bytes of no character.\n"
                      "inline constexpr std::uint16_t SingleByte[256] = {");
    WriteList(out, t.single);
    std::fprintf(out, "\n};\n\n// The row of DoubleByte of each lead byte, -1 for no lead byte.\n"
                      "inline constexpr std::int8_t LeadRow[256] = {");
    for (int b = 0; b < 256; ++b)
        std::fprintf(out, "%s%d,", b % 16 == 0 ? "\n    " : " ", t.leadRow[b]);
    std::fprintf(out,
                 "\n};\n\n// The character of a lead byte and a trail byte from TrailFirst to TrailLast.\n"
                 "inline constexpr std::uint16_t DoubleByte[][TrailLast - TrailFirst + 1] = {");
    for (const auto &row : t.rows) {
        std::fprintf(out, "\n    {");
        WriteList(out, row);
        std::fprintf(out, "\n    },");
    }
    std::fprintf(out, "\n};\n\n// Lead bytes whose sequences are only decoded: a character they hold is\n"
                      "// encoded by its lowest sequence of another lead where it has one.\n"
                      "inline constexpr int LateLeads[] = {");
    for (const int lead : t.lateLeads)
        std::fprintf(out, "%s0x%X", lead == t.lateLeads.front() ? "" : ", ", lead);
    std::fprintf(out, "};\n\n// Characters encoded otherwise than by that rule, in order: the sequence (a\n"
                      "// byte below 0x100), None where refused.\n"
                      "struct EncodingException {\n    char32_t character;\n    std::uint16_t code;\n};\n"
                      "inline constexpr EncodingException EncodingExceptions[] = {");
    int i = 0;
    for (const auto &[c, code] : t.exceptions)
        std::fprintf(out, "%s{0x%X, 0x%X},", i++ % 6 == 0 ? "\n    " : " ", static_cast<unsigned>(c), code);
    std::fprintf(out, "\n};\n\n// Ranges of characters the converter leaves out of its output.\n"
                      "inline constexpr char32_t Dropped[][2] = {");
    for (const auto &[first, last] : t.dropped)
        std::fprintf(out, "\n    {0x%X, 0x%X},", static_cast<unsigned>(first), static_cast<unsigned>(last));
    std::fprintf(out, "\n};\n} // namespace cp932_table\n");
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavi_code_page_table OUTPUT (store/code_page_table_data.h)\n");
        return 2;
    }
    const Tables tables = Read();
    std::FILE *out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    Write(out, tables);
    return std::fclose(out) == 0 ? 0 : 1;
}
