// A small writer of compact JSON: objects, arrays, strings, numbers and
// booleans, with commas and string escapes put in the right places.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

class JsonWriter {
  public:
    explicit JsonWriter(std::ostream &out) : out_(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view name);
    void String(std::string_view utf8);
    void Number(std::int64_t value);
    void Bool(bool value);

  private:
    void BeforeValue();
    void WriteQuoted(std::string_view utf8);

    std::ostream &out_;
    // For each open object or array: whether it has an element yet.
    std::vector<bool> hasElement_;
    bool afterKey_ = false;
};
