// Functions of system libraries that the program needs only now and then
// (the common dialogs, the shell). They are looked up the first time they are
// needed, so that starting the program does not load those libraries.
#pragma once

#include <windows.h>

// The function `name` of the system library `library` (loaded from the system
// folder and kept), or null when either is missing.
FARPROC systemProcedure(const wchar_t* library, const char* name);

// The same, as a pointer of the function's own type:
//   systemFunction<decltype(ChooseColorW)>(L"comdlg32.dll", "ChooseColorW")
template <class Function>
Function* systemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(systemProcedure(library, name)));
}
