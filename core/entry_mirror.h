// A copy of the entries that a list or combo box holds from a folder, kept
// by the program so that a new listing of the folder tells what to add and
// what to remove without asking the box for its entries. Entries are told
// apart by a key that the platform gives (texts with equal keys are one
// entry to the box); the keys of texts seen once are kept.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The keys of entry texts, computed once per text.
class EntryKeys {
  public:
    using KeyFunction = std::function<std::string(const std::string &text)>;
    explicit EntryKeys(KeyFunction keyOf) : keyOf_(std::move(keyOf)) {}

    const std::string &Of(const std::string &text);

  private:
    KeyFunction keyOf_;
    std::unordered_map<std::string, std::string> keys_;
};

class EntryMirror {
  public:
    explicit EntryMirror(EntryKeys &keys) : keys_(&keys) {}

    struct Changes {
        // The entries to add, in the order offered; one per key.
        std::vector<std::string> added;
        // The texts of the entries to remove.
        std::vector<std::string> removed;
        // The chosen entry stays only because it is chosen.
        bool keptForChoice = false;
    };
    // Follows a new listing: the entries offered are held from now on; an
    // entry held that is not offered any more goes, unless a text of
    // staying (one whose files remain) or the chosen text has its key.
    Changes Follow(const std::vector<std::string> &offered, const std::vector<std::string> &staying,
                   const std::optional<std::string> &chosen);
    std::size_t Size() const { return entries_.size(); }

  private:
    // Marks the entry of the text's key as seen in this listing; false when
    // none is held.
    bool Mark(const std::string &text);
    // Whether the entry of the text's key has been marked in this listing.
    bool Marked(const std::string &text) const;

    struct Entry {
        std::string text;
        // The listing in which the entry was last seen.
        std::uint64_t seen;
    };
    EntryKeys *keys_;
    std::unordered_map<std::string, Entry> entries_; // by key
    std::uint64_t listing_ = 0;
};
