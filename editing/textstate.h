// The shared state of the text properties dialog: the committed and working
// attribute sets and the alignment flags. Portable.
#pragma once

#include "calendar/document.h"

#include <cstdint>
#include <string>

struct TextAttributes {
    Colour backColour;
    Colour fontColour;
    std::string fontName;
    int16_t pointSize;
    int32_t bold;
    int32_t italic;
    int32_t underline;
    int32_t strikeout;
    int32_t leading;
};

struct AlignmentFlags {
    int32_t left;
    int32_t right;
    int32_t centre;
    int32_t justified;
};

extern TextAttributes committedAttributes;
extern TextAttributes workingAttributes;
extern AlignmentFlags alignmentFlags;

// White background, black text, "Times New Roman" 10 in both sets; left.
void resetTextDialogDefaults();
