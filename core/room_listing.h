// The packages of the package folder that the room list offers, kept from
// one enumeration of the folder to the next so that only files that are
// new or have changed are tested again.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class RoomListing {
  public:
    // The names ("abc.pac") of the folder's "*.pac" files that pass the room
    // list's test, in the order the file system enumerates them. A file is
    // tested when it is first seen and again when its size or the time of
    // its last writing has changed; one that cannot be opened is not
    // listed and is tried again the next time. The folder ends in '\'.
    std::vector<std::string> Update(const std::string &packageFolder);

  private:
    struct Tested {
        std::uint64_t size;
        std::uint64_t writeTime;
        bool accepted;
        // The enumeration in which the file was last seen.
        std::uint64_t seen;
    };
    std::unordered_map<std::string, Tested> tested_;
    std::uint64_t enumeration_ = 0;
};
