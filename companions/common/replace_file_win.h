// Moving a finished output file into place, shared by the outside programs.
#pragma once

// Moves `fresh` to `output`; a former output is kept as output + ".bak"
// (replacing an older one). On failure the former output is where it was
// and `fresh` is left for the caller to delete.
bool ReplaceKeepingBackup(const char* fresh, const char* output);
