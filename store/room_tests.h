// The two tests that tell a room package from other ".pac" files, by the
// header's flag bytes 16 and 19: on a file, or on the first bytes of one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The room list's test on a file, or nothing when the file cannot be opened
// (gone, locked, or a folder).
std::optional<bool> RoomListProbe(const std::string &path);
bool ComposeListProbe(const std::string &path);
// The same tests on the bytes a file begins with (as many as it holds).
bool RoomListProbe(std::span<const std::uint8_t> head);
bool ComposeListProbe(std::span<const std::uint8_t> head);
