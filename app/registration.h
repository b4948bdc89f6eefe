// The association of ".ZANOR" work files with this program, registered per
// user under HKEY_CURRENT_USER\Software\Classes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Offers the association when no open command is registered for ".ZANOR",
// before any window exists: one question with the caption "...", acted on
// only when the answer is Yes.
void registrationCheck();

// The open command registered for an extension given with its dot, with its
// environment-variable references expanded; empty when there is none that
// counts. HKEY_CURRENT_USER\Software\Classes is read first, then
// HKEY_CLASSES_ROOT, each for reading only: the extension's key names a file
// type, whose shell\open\command key holds the command. A key or value that
// cannot be read counts as none.
std::wstring queryOpenCommand(const std::wstring& extension);

// Associates an extension word, given without a dot ("ZANOR"), with this
// program for the current user: the extension names the type "ZANOR-files",
// whose icon is the program's icon `iconIndex` and whose open command is
// "program" "%1". An extension with a dot is refused with a message and
// nothing is written. The desktop is told when anything was written.
void registerFileType(const std::wstring& extension, std::int32_t iconIndex);

// Stores `value` as the REG_SZ value `name` (empty: the default value) of
// root\subKey, creating the key; a null root means HKEY_CURRENT_USER, and
// leading and trailing backslashes of `subKey` are ignored. True when the
// value was stored.
bool setRegistryValue(HKEY root, const std::wstring& subKey, const std::wstring& name, const std::wstring& value);
