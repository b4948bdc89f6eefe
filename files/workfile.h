// Work files (".ZANOR"): reading and writing the calendar document.
#pragma once

#include <string>

extern std::wstring workFilePath;

// True when the file system reports attributes for the path (a folder too).
bool fileExists(const std::wstring& path);
// Reads workFilePath into the document; false when the file was refused, after
// the reader has said why.
bool loadWorkFile();
