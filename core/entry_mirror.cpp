#include "entry_mirror.h"

#include <string_view>
#include <unordered_set>

const std::string &EntryKeys::Of(const std::string &text)
{
    const auto found = keys_.find(text);
    if (found != keys_.end())
        return found->second;
    return keys_.emplace(text, keyOf_(text)).first->second;
}

// Entries are removed before the new ones are added, so that an entry
// offered again under another letter case stays as the box shows it.
EntryMirror::Changes EntryMirror::Follow(const std::vector<std::string> &offered,
                                         const std::vector<std::string> &staying)
{
    std::unordered_set<std::string_view> kept;
    for (const std::vector<std::string> *texts : {&offered, &staying})
        for (const std::string &text : *texts)
            kept.insert(keys_->Of(text));
    Changes changes;
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        if (kept.contains(entry->first)) {
            ++entry;
            continue;
        }
        changes.removed.push_back(entry->second);
        entry = entries_.erase(entry);
    }
    for (const std::string &text : offered)
        if (entries_.emplace(keys_->Of(text), text).second)
            changes.added.push_back(text);
    return changes;
}

bool EntryMirror::Holds(const std::string &text) const
{
    return entries_.contains(keys_->Of(text));
}
