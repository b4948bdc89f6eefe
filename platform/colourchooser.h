// The platform's colour chooser, opened fully on grey and placed 30 pixels right
// of and below its owner's top-left corner.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

// The colour the user picked, or -1 when the chooser was cancelled. The custom
// colours are handed in and come back with what the user defined.
int32_t chooseColour(HWND owner, std::array<int32_t, 16>& customColours);
