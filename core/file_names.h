// File names inside code page 932 paths with '\' between folders.
#pragma once

#include <string>

// The last component of a path. The path is walked by characters, so that a
// 0x5C inside a two-byte character is not taken for a separator.
std::string FileNameOf(const std::string &path);
