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
// The text being edited, 8-bit, at most 273 characters.
extern char textBuffer[cellTextCapacity];
// 1 after "Aceptar", 0 otherwise.
extern int32_t textAccepted;

// Fills both attribute sets, the alignment flags (left as they were for an
// alignment outside 131..134) and the text buffer from a cell.
void loadTextStateFromCell(const DayCell& cell);
// Writes the committed attributes, the text buffer and the alignment of the
// flag that is set into a cell.
void storeTextStateInCell(DayCell& cell);

// White background, black text, "Times New Roman" 10 in both sets; left.
void resetTextDialogDefaults();
