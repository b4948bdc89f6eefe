// Text conversion between the program's UTF-16 strings and the 8-bit
// Windows-1252 text that the cells and files hold.
#pragma once

#include <string>
#include <string_view>

std::wstring fromCellText(std::string_view text);
// One 8-bit character of cell text as UTF-16.
wchar_t fromCellChar(char c);
// Characters with no Windows-1252 form become '?'.
std::string toCellText(std::wstring_view text);
