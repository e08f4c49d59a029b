// Running tavipac in process inside a scratch folder that holds the sample
// rooms, and small helpers for package and BMP bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

struct TavipacRun {
    int exitCode = 0;
    std::string out;
    std::string err;
};

TavipacRun Tavipac(const std::vector<std::string> &arguments);

// UTF-8 text from a u8 literal (narrow literals are code page 932 here).
std::string Utf8(const char8_t *text);
// A path from a u8 literal with '/' as the program shows it on this platform.
std::string Shown(const char8_t *path);

// Files by code page 932 path, through the editor's file layer.
std::vector<std::uint8_t> FileBytes(const std::string &path);
void WriteBytes(const std::string &path, const std::vector<std::uint8_t> &bytes);
bool FileExists(const std::string &path);

// Offset of record number (0-39) in a package's bytes: its size field.
std::size_t RecordOffset(const std::vector<std::uint8_t> &package, int number);
// The bytes of record number, without the size field.
std::vector<std::uint8_t> RecordBytes(const std::vector<std::uint8_t> &package, int number);
void PutU32(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint32_t value);
void PutU16(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint16_t value);
std::uint32_t GetU32(const std::vector<std::uint8_t> &bytes, std::size_t offset);

// A fresh folder per test, made the working directory, with the sample rooms
// in 部屋 (umi.pac, mori.pac, sakura.pac).
class TavipacFolder : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    static const std::string RoomFolder; // "部屋\" as code page 932
    std::vector<std::uint8_t> SamplePackage(const char *fileName) const;

  private:
    std::filesystem::path previous_;
};
