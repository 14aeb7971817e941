// How the tool words its console lines: counts that read right for one, and
// labelled lines that wrap under their label instead of anywhere in a word.
#pragma once
#include <cstddef>
#include <string>

// The column where the text of a labelled line begins ("Machines read:  ").
const size_t kLabelColumn = 16;

// "1 device", "0 devices", "2 devices".
std::string CountOf(long count, const char* one, const char* many);

// `label` padded to kLabelColumn, then `text` cut at its blanks into lines of
// at most `width` characters; the lines after the first begin at kLabelColumn.
// A word longer than the room stays whole on a line of its own. Each line ends
// in "\n".
std::string LabelledLines(const char* label, const std::string& text, size_t width = 79);
