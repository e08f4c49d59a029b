// The two tests that tell a room package from other ".pac" files, by the
// header's flag bytes 16 and 19.
#pragma once

#include <string>

bool RoomListProbe(const std::string& path);
bool ComposeListProbe(const std::string& path);
