#include "code_page.h"

#include <iconv.h>

// Conversions with the C library's iconv.

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
        // Back to the initial state: an earlier failed conversion may have
        // left the descriptor in the middle of a character.
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
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

// Opening a converter costs far more than most conversions, so each thread
// keeps one per direction.
std::optional<std::string> ConvertCp932ToUtf8(std::string_view text)
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter.Convert(text);
}

std::optional<std::string> ConvertUtf8ToCp932(std::string_view text)
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter.Convert(text);
}
