// The command tail: what follows the program's own path on the command line.
// Portable.
#pragma once

#include <string>
#include <string_view>

// The tail after the program path (quoted or not) and the blanks that follow
// it. Trailing blanks stay.
std::wstring commandTail(std::wstring_view commandLine);
// The work-file path named by a tail: the tail with every double quote
// removed. Empty when there is none.
std::wstring pathFromTail(std::wstring_view tail);
