#include "zip_writer.h"

#include <limits>

#include "crc32.h"
#include "store/code_page.h"

namespace {
constexpr std::uint32_t LocalHeaderSignature = 0x04034B50;
constexpr std::uint32_t CentralHeaderSignature = 0x02014B50;
constexpr std::uint32_t EndSignature = 0x06054B50;
constexpr std::uint16_t UnicodePathField = 0x7075;
constexpr std::uint8_t UnicodePathVersion = 1;
constexpr std::uint16_t MadeByDosVersion20 = 20;
constexpr std::uint16_t NeededVersion = 20;
constexpr std::uint16_t Stored = 0;
constexpr std::size_t Max16 = std::numeric_limits<std::uint16_t>::max();
constexpr std::size_t Max32 = std::numeric_limits<std::uint32_t>::max();

class Bytes {
  public:
    void U16(std::size_t v)
    {
        for (int i = 0; i < 2; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void U32(std::size_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    template <typename Range> void Append(const Range &range)
    {
        bytes_.insert(bytes_.end(), range.begin(), range.end());
    }
    std::size_t Size() const { return bytes_.size(); }
    std::vector<std::uint8_t> &Vector() { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

struct Entry {
    const ZipEntry &source;
    std::vector<std::uint8_t> extra;
    std::uint32_t crc;
    std::size_t offset;
};

std::vector<std::uint8_t> AsBytes(const std::string &text)
{
    return {text.begin(), text.end()};
}

std::optional<std::vector<std::uint8_t>> UnicodePathExtra(const std::string &name)
{
    const auto utf8 = ConvertCp932ToUtf8(name);
    if (!utf8)
        return std::nullopt;
    Bytes field;
    field.U16(UnicodePathField);
    field.U16(1 + 4 + utf8->size());
    field.Vector().push_back(UnicodePathVersion);
    field.U32(Crc32(AsBytes(name)));
    field.Append(*utf8);
    return field.Vector();
}

// The fields the local and the central header share, from the version
// needed to the extra field's length.
void CommonFields(Bytes &out, const Entry &e, DosDateTime when)
{
    out.U16(NeededVersion);
    out.U16(0); // flags: no UTF-8 name, no data descriptor
    out.U16(Stored);
    out.U16(when.time);
    out.U16(when.date);
    out.U32(e.crc);
    out.U32(e.source.data.size());
    out.U32(e.source.data.size());
    out.U16(e.source.name.size());
    out.U16(e.extra.size());
}

bool Fits(const ZipEntry &entry, const std::vector<std::uint8_t> &extra, std::size_t offset)
{
    return entry.name.size() <= Max16 && extra.size() <= Max16 && entry.data.size() <= Max32 &&
           offset <= Max32;
}
} // namespace

DosDateTime MakeDosDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1980)
        return {};
    return {static_cast<std::uint16_t>((hour << 11) | (minute << 5) | (second / 2)),
            static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day)};
}

std::optional<std::vector<std::uint8_t>> MakeZip(const std::vector<ZipEntry> &entries, DosDateTime when)
{
    if (entries.size() > Max16)
        return std::nullopt;
    Bytes body;
    std::vector<Entry> written;
    for (const ZipEntry &source : entries) {
        auto extra = UnicodePathExtra(source.name);
        if (!extra || !Fits(source, *extra, body.Size()))
            return std::nullopt;
        written.push_back({source, std::move(*extra), Crc32(source.data), body.Size()});
        const Entry &e = written.back();
        body.U32(LocalHeaderSignature);
        CommonFields(body, e, when);
        body.Append(source.name);
        body.Append(e.extra);
        body.Append(source.data);
    }
    const std::size_t directoryOffset = body.Size();
    for (const Entry &e : written) {
        body.U32(CentralHeaderSignature);
        body.U16(MadeByDosVersion20);
        CommonFields(body, e, when);
        body.U16(0); // comment length
        body.U16(0); // disk number
        body.U16(0); // internal attributes
        body.U32(0); // external attributes
        body.U32(e.offset);
        body.Append(e.source.name);
        body.Append(e.extra);
    }
    const std::size_t directorySize = body.Size() - directoryOffset;
    if (body.Size() > Max32)
        return std::nullopt;
    body.U32(EndSignature);
    body.U16(0); // this disk
    body.U16(0); // the directory's disk
    body.U16(written.size());
    body.U16(written.size());
    body.U32(directorySize);
    body.U32(directoryOffset);
    body.U16(0); // comment length
    return std::move(body.Vector());
}
