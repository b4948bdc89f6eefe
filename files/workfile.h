// Work files (".ZANOR"): reading and writing the calendar document, and the
// messages that tell the user what went wrong with a file.
#pragma once

#include <string>

// The path of the work file to read or write; the callers set it.
extern std::wstring workFilePath;

// True when the file system reports attributes for the path (a folder too).
bool fileExists(const std::wstring& path);

// Writes the document to workFilePath: a record for every cell whose day is
// above 0. The old file is replaced only by a complete new one; on failure it
// stays as it was and the user gets one "Err: " message.
void saveWorkFile();

// Reads workFilePath into the document; false when the file was refused (its
// length, the page of its first record) or could not be read, after the user
// has been told why. The document changes only when the whole file was read.
bool loadWorkFile();

// "Err: " with the number (a blank for its sign before it), a blank and the
// number's description: "Err:  61 Disk full".
std::wstring fileErrorMessage(int number);
// Shows the "Err: " message for a system error code.
void showFileError(unsigned long systemError);
