// Text of a document file as an edit control wants it: every line break as
// CR LF. The file is read the way a text stream reads it (CR LF is one line
// break, Ctrl-Z ends the text), and nothing of it is cut.
#pragma once
#include <cstddef>

// Length of the converted text of `n` file bytes, without the terminating zero.
size_t DocumentTextLength(const char* bytes, size_t n);

// Writes the converted text into `out` (room for outSize characters including
// the terminating zero; a text that does not fit is cut, never overrun).
// Returns the number of characters written before the zero.
size_t ConvertDocumentText(const char* bytes, size_t n, char* out, size_t outSize);
