#pragma once
// How a stored list text finds its list item again, and how much of a list
// text is stored.

#include <string>
#include <vector>

// The index of the item equal to `value`, ignoring letter case but comparing
// the whole text, blanks included. The search starts at item 1, runs to the
// last item and wraps to item 0, so the first equal item in that order wins.
// -1 when no item is equal.
int FindStoredItem(const std::vector<std::string>& items, const std::string& value);

// The text stored for a list: its first 29 characters.
inline constexpr size_t kStoredTextMax = 29;
std::string TextForStore(const std::string& listText);
