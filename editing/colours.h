// The colours shared by every dialog: the current colour (last captured from
// the page or picked from the favourites) and the chooser's custom colours.
// Portable.
#pragma once

#include "calendar/document.h"

#include <array>

// Negative while the last pixel read reported no colour; swatches then
// ignore clicks.
extern Colour currentColour;
// Handed to every opening of the colour chooser; kept until the program ends.
extern std::array<Colour, 16> chooserCustomColours;
