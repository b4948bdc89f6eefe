#include "editing/colours.h"

Colour currentColour = 0;
std::array<Colour, 16> chooserCustomColours = {};
