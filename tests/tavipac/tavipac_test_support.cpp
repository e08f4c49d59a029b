#include "tavipac_test_support.h"

#include "store/byte_reader.h"

#include <algorithm>
#include <sstream>

#include "store/file_system.h"
#include "tavipac.h"
#include "tools/samplegen/sample_rooms.h"

TavipacRun Tavipac(const std::vector<std::string> &arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    TavipacRun run;
    run.exitCode = RunTavipac(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string Utf8(const char8_t *text)
{
    return reinterpret_cast<const char *>(text);
}

std::string Shown(const char8_t *path)
{
    std::string shown = Utf8(path);
#ifdef _WIN32
    std::replace(shown.begin(), shown.end(), '/', '\\');
#endif
    return shown;
}

std::vector<std::uint8_t> FileBytes(const std::string &path)
{
    FileHandle file = FileHandle::OpenForSharedRead(path);
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    while (const std::size_t got = file.Read(chunk, sizeof chunk)) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
}

void WriteBytes(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    FileHandle file = FileHandle::CreateAlways(path);
    ASSERT_TRUE(file.IsOpen()) << path;
    ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
}

bool FileExists(const std::string &path)
{
    return FileHandle::OpenForSharedRead(path).IsOpen();
}

std::uint32_t GetU32(const std::vector<std::uint8_t> &bytes, std::size_t offset)
{
    return ReadU32LE(bytes, offset);
}

void PutU32(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void PutU16(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint16_t value)
{
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::size_t RecordOffset(const std::vector<std::uint8_t> &package, int number)
{
    std::size_t offset = 1056;
    for (int i = 0; i < number; ++i) {
        offset += 4 + GetU32(package, offset);
    }
    return offset;
}

std::vector<std::uint8_t> RecordBytes(const std::vector<std::uint8_t> &package, int number)
{
    const std::size_t offset = RecordOffset(package, number);
    const auto start = package.begin() + static_cast<std::ptrdiff_t>(offset + 4);
    return {start, start + GetU32(package, offset)};
}

const std::string TavipacFolder::RoomFolder = "部屋\\";

void TavipacFolder::SetUp()
{
    const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path folder = std::filesystem::current_path() / "scratch" /
                                         (std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    ASSERT_TRUE(CreateFolder("部屋"));
    for (std::size_t i = 0; i < SampleRooms().size(); ++i) {
        WriteBytes(RoomFolder + SampleRooms()[i].fileName, BuildSampleRoomPackage(static_cast<int>(i)));
    }
}

void TavipacFolder::TearDown()
{
    std::filesystem::current_path(previous_);
}

std::vector<std::uint8_t> TavipacFolder::SamplePackage(const char *fileName) const
{
    return FileBytes(RoomFolder + fileName);
}
