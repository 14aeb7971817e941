// The search dialog's test: does a text occur in a cell?
#pragma once

// Substring test that folds a to z to upper case on both sides and compares
// every other byte as it is. An empty needle occurs in every text.
bool TextContainsFolded(const char* text, const char* needle);
