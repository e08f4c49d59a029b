// The collection files behind a part group's entry, read once as the group
// is loaded: the group is loaded from them, and they are kept, so that a
// file saved anew later is told from one that is as it was.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "part_loading.h"

class GroupFiles : public PartCollection {
  public:
    // The base and mask file of every slot of the key slot's group that the
    // entry text names, in the collection folder (ending in '\'). Nothing
    // while another program has one of them open for writing.
    static std::optional<GroupFiles> Read(const std::string &collectionFolder, int keySlot,
                                          const std::string &entryText);

    // A file of the group as it was read; nothing for one that was not there.
    std::unique_ptr<ByteSource> Open(const std::string &fileName) const override;
    // Whether every file was read to its end: none is larger than what is
    // kept of a file.
    bool Whole() const;

    friend bool operator==(const GroupFiles &left, const GroupFiles &right)
    {
        return left.files_ == right.files_;
    }

  private:
    struct File {
        bool present = false;
        // At most KeptFileBytes of them.
        std::vector<std::uint8_t> bytes;
        bool whole = true;

        friend bool operator==(const File &, const File &) = default;
    };
    static std::optional<File> ReadFile(const std::string &path);

    std::map<std::string, File> files_;
};
