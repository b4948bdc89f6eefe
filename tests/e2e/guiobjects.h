// The GUI objects and the memory of another process, counted from outside.
//
// GetGuiResources counts GDI and USER objects on Windows; Wine answers 0
// (the call is a stub there). Under Wine the GDI objects are then counted in
// the process's own GDI handle table, which Wine keeps in the process's
// memory and names in its PEB (GdiSharedHandleTable), and the USER objects
// as the windows that the process owns: Wine keeps its menus, icons and
// cursors where no other process can count them.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

struct GuiObjects {
    long gdi = -1;  // -1: could not be counted
    long user = -1;
    unsigned long long memory = 0;  // bytes the process has committed
    bool counted() const { return gdi >= 0 && user >= 0; }
    std::string describe() const;
};

GuiObjects countGuiObjects(HANDLE process);

}  // namespace e2e
