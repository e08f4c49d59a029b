#include "code_page_posix.h"

#include <iconv.h>

namespace {
class Converter {
  public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;
    ~Converter()
    {
        if (IsOpen())
            iconv_close(cd_);
    }

    std::optional<std::string> Convert(std::string_view text)
    {
        if (!IsOpen())
            return std::nullopt;
        std::string input(text);
        // Four bytes out for each byte in covers both directions.
        std::string output(text.size() * 4, '\0');
        char *in = input.data();
        std::size_t inLeft = input.size();
        char *out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(cd_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        output.resize(output.size() - outLeft);
        return output;
    }

  private:
    bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};
} // namespace

std::optional<std::string> ConvertCp932ToUtf8(std::string_view text)
{
    return Converter("UTF-8", "CP932").Convert(text);
}

std::optional<std::string> ConvertUtf8ToCp932(std::string_view text)
{
    return Converter("CP932", "UTF-8").Convert(text);
}
