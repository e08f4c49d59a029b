// A sorted list or combo box as the page shows it: its entries in the
// boxes' order (core/box_order.h), the selected one and whether it is
// enabled. Texts are code page 932.
#pragma once

#include <string>
#include <vector>

class SortedBox {
  public:
    static constexpr int NoSelection = -1;

    const std::vector<std::string> &Entries() const { return entries_; }
    int Selected() const { return selected_; }
    bool Enabled() const { return enabled_; }
    // The selected entry's text; empty when none is selected.
    std::string SelectedText() const;

    // The entry equal to the text in any letter case, or NoSelection.
    int FindExact(const std::string &text) const;
    // Inserts the text in its place (also when an equal one is there) and
    // returns its index; the selection stays on its entry.
    int Add(const std::string &text);
    // Adds the text unless an equal entry is there; returns its index.
    int AddOnce(const std::string &text);
    // Removes the entry equal to the text, if any.
    void Remove(const std::string &text);
    // An index outside the entries selects nothing.
    void Select(int index);
    void Enable(bool enable) { enabled_ = enable; }

  private:
    std::vector<std::string> entries_;
    int selected_ = NoSelection;
    bool enabled_ = false;
};
