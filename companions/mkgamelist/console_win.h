// What the tool says and how: one-line messages, the system's error texts,
// and a console window of its own kept open until the user has read it.
#pragma once
#include <windows.h>
#include <string>

// Exit codes of mkgamelist.exe.
enum ExitCode { kWritten = 0, kBadArguments = 1, kNoInput = 2, kBadList = 3, kEmulatorFailed = 4, kCannotWrite = 5,
                kNoXmlReader = 6 };

bool FileExists(const char* path);

// The system's text for an error code, on one line.
std::string SystemText(DWORD error);

// Prints "mkgamelist: <text>" on one line of the error output; returns `code`.
int Fail(int code, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Prints a labelled line on the output, wrapped under its label.
void Say(const char* label, const std::string& text);

bool IsConsole(HANDLE h);

// Started by a double-click, the tool has a console window of its own that
// would close with it before the user could read a word: wait for Enter.
void KeepOwnWindowOpen();
