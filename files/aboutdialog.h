// The About dialog "Autor": the maker's thanks and a small animation.
#pragma once

#include <windows.h>

#include <cstdint>

INT_PTR showAboutDialog(HWND owner);

// The icon frame that the animation shows next (701..707).
extern int16_t aboutFrame;
