#include "json_writer.h"

#include <cstdio>
#include <string>

namespace {

std::string HexEscape(const char *format, unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

void JsonWriter::BeforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasElement_.empty()) {
        if (hasElement_.back()) {
            out_ << ',';
        }
        hasElement_.back() = true;
    }
}

void JsonWriter::BeginObject()
{
    BeforeValue();
    out_ << '{';
    hasElement_.push_back(false);
}

void JsonWriter::EndObject()
{
    hasElement_.pop_back();
    out_ << '}';
}

void JsonWriter::BeginArray()
{
    BeforeValue();
    out_ << '[';
    hasElement_.push_back(false);
}

void JsonWriter::EndArray()
{
    hasElement_.pop_back();
    out_ << ']';
}

void JsonWriter::Key(std::string_view name)
{
    BeforeValue();
    WriteQuoted(name);
    out_ << ':';
    afterKey_ = true;
}

void JsonWriter::String(std::string_view utf8)
{
    BeforeValue();
    WriteQuoted(utf8);
}

void JsonWriter::Number(std::int64_t value)
{
    BeforeValue();
    out_ << value;
}

void JsonWriter::Bool(bool value)
{
    BeforeValue();
    out_ << (value ? "true" : "false");
}

void JsonWriter::WriteQuoted(std::string_view utf8)
{
    out_ << '"';
    for (const char c : utf8) {
        switch (c) {
        case '"': out_ << "\\\""; break;
        case '\\': out_ << "\\\\"; break;
        case '\n': out_ << "\\n"; break;
        case '\r': out_ << "\\r"; break;
        case '\t': out_ << "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out_ << HexEscape("\\u%04x", static_cast<unsigned char>(c));
            } else {
                out_ << c;
            }
        }
    }
    out_ << '"';
}
