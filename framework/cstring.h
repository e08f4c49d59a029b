// The framework's string: a byte string in code page 932, the form in which
// the editor shows, stores and compares every text. It may hold zero bytes;
// a window shows it only up to the first one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CString {
  public:
    CString() = default;
    CString(const char *text) : bytes_(text ? text : "") {}
    CString(std::string bytes) : bytes_(std::move(bytes)) {}
    CString(const char *bytes, std::size_t count) : bytes_(bytes, count) {}

    int GetLength() const { return static_cast<int>(bytes_.size()); }
    bool IsEmpty() const { return bytes_.empty(); }
    void Empty() { bytes_.clear(); }
    const char *GetString() const { return bytes_.c_str(); }
    const std::string &Bytes() const { return bytes_; }

    // The first count bytes (all of them when count is larger).
    CString Left(int count) const;
    // The bytes from first on (empty when first is past the end).
    CString Mid(int first) const;

    // printf-style formatting, as the runtime's formatter does it.
    void Format(const char *format, ...) __attribute__((format(printf, 2, 3)));

    // The text for a wide-character Win32 call: up to the first zero byte,
    // converted from code page 932.
    std::wstring ToWide() const;
    static CString FromWide(std::wstring_view text);

    CString &operator+=(const CString &other)
    {
        bytes_ += other.bytes_;
        return *this;
    }
    friend CString operator+(CString left, const CString &right) { return left += right; }
    friend bool operator==(const CString &left, const CString &right) = default;

  private:
    std::string bytes_;
};
