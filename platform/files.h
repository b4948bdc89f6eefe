// File-system services on UTF-16 paths of any length.
#pragma once

#include <string>

// The path in the form that the file functions take at any length: a long
// absolute path gets the \\?\ prefix (\\?\UNC\ for a share), others are kept.
std::wstring longPathForm(const std::wstring& path);
// True when the file system reports attributes for the path (a folder too).
bool pathExists(const std::wstring& path);
// The folder that holds the running program, without a trailing backslash.
std::wstring programFolder();
