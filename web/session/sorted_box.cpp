#include "sorted_box.h"

#include <algorithm>

#include "core/box_order.h"

std::string SortedBox::SelectedText() const
{
    return selected_ == NoSelection ? std::string() : entries_[static_cast<std::size_t>(selected_)];
}

int SortedBox::FindExact(const std::string &text) const
{
    const std::string key = BoxOrderKey(text);
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const std::string &entry) { return BoxOrderKey(entry) == key; });
    return found == entries_.end() ? NoSelection : static_cast<int>(found - entries_.begin());
}

int SortedBox::Add(const std::string &text)
{
    const auto place = std::upper_bound(entries_.begin(), entries_.end(), text, BoxOrderLess);
    const int index = static_cast<int>(place - entries_.begin());
    entries_.insert(place, text);
    if (selected_ >= index)
        ++selected_;
    return index;
}

int SortedBox::AddOnce(const std::string &text)
{
    const int found = FindExact(text);
    return found == NoSelection ? Add(text) : found;
}

void SortedBox::Remove(const std::string &text)
{
    const int index = FindExact(text);
    if (index == NoSelection)
        return;
    entries_.erase(entries_.begin() + index);
    if (selected_ == index)
        selected_ = NoSelection;
    else if (selected_ > index)
        --selected_;
}

void SortedBox::Select(int index)
{
    selected_ = index >= 0 && static_cast<std::size_t>(index) < entries_.size() ? index : NoSelection;
}
