// A copy of the entries that a list or combo box holds from a folder, kept
// by the program so that a new listing of the folder tells what to add and
// what to remove without asking the box for its entries. Entries are told
// apart by a key that the platform gives (texts with equal keys are one
// entry to the box); the keys of texts seen once are kept.
#pragma once

#include <functional>
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
    };
    // Follows a new listing: the entries offered are held from now on; an
    // entry held that is not offered any more goes, unless an entry text of
    // staying (its files remain, or it is chosen) has its key.
    Changes Follow(const std::vector<std::string> &offered, const std::vector<std::string> &staying);
    // Whether an entry of that text's key is held.
    bool Holds(const std::string &text) const;
    std::size_t Size() const { return entries_.size(); }

  private:
    EntryKeys *keys_;
    // The text of each entry, by key.
    std::unordered_map<std::string, std::string> entries_;
};
