#pragma once
// Rules on the console pane's text (8-bit, CR LF line breaks).

#include <string>
#include <string_view>

// Removes the last line of `text` when it holds `marker`: the last CR that has
// at least two characters after it (never one at position 0) starts the last
// line; the CR LF before it stay. Returns the number of characters removed.
size_t DropLastLineIfMarked(std::string& text, std::string_view marker);
