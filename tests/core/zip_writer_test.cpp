// Zips of the export's download, read back by Python's zipfile (names in
// code page 932 and in the Unicode Path field, CRCs, contents) and by
// unzip, which takes the field's UTF-8 name.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "core/archive/crc32.h"
#include "core/archive/zip_writer.h"
#include "tests/support/scratch_folder.h"

namespace {
// "08森.BMP" and "表.txt" (whose second byte is 0x5C) in code page 932.
const std::string ForestName = "08\x90\x58.BMP";
const std::string TableName = "\x95\x5C.txt";

std::vector<ZipEntry> SampleEntries()
{
    return {{ForestName, {'B', 'M', 1, 2, 3}}, {TableName, {}}, {"plain.txt", {'a', '\n'}}};
}

int Shell(const std::string &command)
{
    return std::system(command.c_str());
}

TEST(ZipWriter, ArchiveReadsByZipfileAndUnzip)
{
    ScratchFolder folder;
    const auto zip = MakeZip(SampleEntries(), MakeDosDateTime(2026, 12, 10, 13, 5, 31));
    ASSERT_TRUE(zip);
    std::ofstream("t.zip", std::ios::binary).write(reinterpret_cast<const char *>(zip->data()), zip->size());

    const char *check = R"(python3 - <<'END'
import struct, zipfile, zlib
expected = [("08\u68ee.BMP", b"BM\x01\x02\x03"), ("\u8868.txt", b""), ("plain.txt", b"a\n")]
with zipfile.ZipFile("t.zip") as z:
    assert z.testzip() is None
    infos = z.infolist()
    assert len(infos) == 3
    for info, (name, data) in zip(infos, expected):
        local = info.orig_filename.encode("cp437")
        assert info.flag_bits & 0x800 == 0 and local.decode("cp932") == name, info
        assert info.compress_type == zipfile.ZIP_STORED and info.date_time == (2026, 12, 10, 13, 5, 30)
        tag, size, version, crc = struct.unpack("<HHBI", info.extra[:9])
        assert tag == 0x7075 and size == len(info.extra) - 4 and version == 1 and crc == zlib.crc32(local)
        assert info.extra[9:].decode("utf-8") == name
        assert z.read(info) == data
END)";
    EXPECT_EQ(Shell(check), 0);
    EXPECT_EQ(Shell("LC_ALL=C.UTF-8 unzip -l t.zip > list.txt"), 0);
    std::ifstream list("list.txt");
    const std::string listed((std::istreambuf_iterator<char>(list)), std::istreambuf_iterator<char>());
    // The UTF-8 names (this file's literals are code page 932).
    EXPECT_NE(listed.find("08\xE6\xA3\xAE.BMP"), std::string::npos) << listed;
    EXPECT_NE(listed.find("\xE8\xA1\xA8.txt"), std::string::npos) << listed;
}

TEST(ZipWriter, RefusesWhatItCannotName)
{
    EXPECT_FALSE(MakeZip({{"\x81", {}}}, {}));
    EXPECT_EQ(MakeZip({}, {})->size(), 22u);
    EXPECT_EQ(MakeDosDateTime(1979, 12, 31, 23, 59, 59).date, DosDateTime{}.date);
    const std::string digits = "123456789";
    EXPECT_EQ(Crc32({reinterpret_cast<const std::uint8_t *>(digits.data()), digits.size()}), 0xCBF43926u);
}
} // namespace
