// The texts of the ".ZANOR" association: key paths, the values written under
// them, the question, and what counts as a registered open command. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The extension word of the work files, without its dot, and with it.
inline constexpr std::wstring_view workFileExtensionWord = L"ZANOR";
inline constexpr std::wstring_view workFileExtension = L".ZANOR";

// Where the per-user associations live, below HKEY_CURRENT_USER.
inline constexpr std::wstring_view userClassesKey = L"Software\\Classes";

// The question's caption and its four lines joined with CR LF.
inline constexpr std::wstring_view registrationQuestionCaption = L"...";
std::wstring registrationQuestionText();

// The message for an extension given with a dot; empty when the extension
// word can be registered.
std::wstring extensionError(std::wstring_view extensionWord);

// The file-type name of an extension word: "ZANOR" names "ZANOR-files".
std::wstring fileTypeName(std::wstring_view extensionWord);
// The key paths written for an extension word (relative to a classes key):
// ".ZANOR", "ZANOR-files\DefaultIcon" and "ZANOR-files\Shell\Open\Command".
std::wstring extensionKeyPath(std::wstring_view extensionWord);
std::wstring defaultIconKeyPath(std::wstring_view extensionWord);
std::wstring openCommandKeyPath(std::wstring_view extensionWord);
// The key of a file type's open command as the look-up reads it:
// type + "\shell\open\command".
std::wstring lookUpCommandKeyPath(std::wstring_view typeName);

// The open command: the program path and the file, each in double quotes,
// "P" "%1". The path is used as it is.
std::wstring openCommandText(std::wstring_view programPath);
// The icon text: the program path, a comma and the icon index in decimal.
std::wstring defaultIconText(std::wstring_view programPath, std::int32_t iconIndex);

// A joined key path "a\b\c": a sub-key path is appended to a key with one
// backslash between them, whatever backslashes either brought.
std::wstring joinKeyPath(std::wstring_view key, std::wstring_view subKey);
// The sub-key path without any leading or trailing backslash.
std::wstring_view stripBackslashes(std::wstring_view subKey);
// The text without leading and trailing spaces.
std::wstring_view trimSpaces(std::wstring_view text);
// True when an open command, already expanded, counts as a registration:
// anything is left after trimming its spaces.
bool isRegisteredCommand(std::wstring_view expandedCommand);
