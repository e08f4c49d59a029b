#include "entry_mirror.h"

const std::string &EntryKeys::Of(const std::string &text)
{
    const auto found = keys_.find(text);
    if (found != keys_.end())
        return found->second;
    return keys_.emplace(text, keyOf_(text)).first->second;
}

bool EntryMirror::Mark(const std::string &text)
{
    const auto found = entries_.find(keys_->Of(text));
    if (found == entries_.end())
        return false;
    found->second.seen = listing_;
    return true;
}

bool EntryMirror::Marked(const std::string &text) const
{
    const auto found = entries_.find(keys_->Of(text));
    return found != entries_.end() && found->second.seen == listing_;
}

// Entries not seen in this listing are removed before the new ones are
// added, so that an entry offered again in another letter case stays as the
// box shows it.
EntryMirror::Changes EntryMirror::Follow(const std::vector<std::string> &offered,
                                         const std::vector<std::string> &staying,
                                         const std::optional<std::string> &chosen)
{
    ++listing_;
    std::vector<const std::string *> unheld;
    for (const std::string &text : offered)
        if (!Mark(text))
            unheld.push_back(&text);
    for (const std::string &text : staying)
        Mark(text);
    Changes changes;
    if (chosen && !Marked(*chosen))
        changes.keptForChoice = Mark(*chosen);
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        if (entry->second.seen == listing_) {
            ++entry;
            continue;
        }
        changes.removed.push_back(std::move(entry->second.text));
        entry = entries_.erase(entry);
    }
    for (const std::string *text : unheld)
        if (entries_.emplace(keys_->Of(*text), Entry{*text, listing_}).second)
            changes.added.push_back(*text);
    return changes;
}
