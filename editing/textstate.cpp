// The shared state of the text properties dialog.
#include "editing/textstate.h"

#include <string_view>

TextAttributes committedAttributes = {0x00FFFFFF, 0x00000000, "Times New Roman", 10, 0, 0, 0, 0, 0};
TextAttributes workingAttributes = {0x00FFFFFF, 0x00000000, "Times New Roman", 10, 0, 0, 0, 0, 0};
AlignmentFlags alignmentFlags = {1, 0, 0, 0};

namespace {

TextAttributes defaultAttributes() {
    return TextAttributes{0x00FFFFFF, 0x00000000, "Times New Roman", 10, 0, 0, 0, 0, 0};
}

}  // namespace

void resetTextDialogDefaults() {
    committedAttributes = defaultAttributes();
    workingAttributes = defaultAttributes();
    alignmentFlags = AlignmentFlags{1, 0, 0, 0};
}

char textBuffer[cellTextCapacity] = {};
int32_t textAccepted = 0;

namespace {

std::string_view fieldText(const char* field, size_t capacity) {
    size_t n = 0;
    while (n < capacity && field[n] != '\0') ++n;
    return std::string_view(field, n);
}

}  // namespace

void loadTextStateFromCell(const DayCell& cell) {
    committedAttributes = TextAttributes{
        cell.backColour, cell.fontColour, std::string(fieldText(cell.fontName, sizeof cell.fontName)),
        cell.fontSize,   cell.bold,       cell.italic,
        cell.underline,  cell.strikeout,  cell.leading,
    };
    workingAttributes = committedAttributes;
    switch (cell.alignment) {
    case alignLeft:
        alignmentFlags = {1, 0, 0, 0};
        break;
    case alignRight:
        alignmentFlags = {0, 1, 0, 0};
        break;
    case alignCentre:
        alignmentFlags = {0, 0, 1, 0};
        break;
    case alignJustified:
        alignmentFlags = {0, 0, 0, 1};
        break;
    default:  // flags as the last opening left them
        break;
    }
    assignField(textBuffer, fieldText(cell.text, sizeof cell.text));
}

void storeTextStateInCell(DayCell& cell) {
    const TextAttributes& a = committedAttributes;
    cell.backColour = a.backColour;
    cell.fontColour = a.fontColour;
    assignField(cell.fontName, a.fontName);
    cell.fontSize = a.pointSize;
    cell.bold = a.bold;
    cell.italic = a.italic;
    cell.underline = a.underline;
    cell.strikeout = a.strikeout;
    cell.leading = a.leading;
    assignField(cell.text, fieldText(textBuffer, sizeof textBuffer));
    if (alignmentFlags.left == 1) cell.alignment = alignLeft;
    else if (alignmentFlags.right == 1) cell.alignment = alignRight;
    else if (alignmentFlags.centre == 1) cell.alignment = alignCentre;
    else if (alignmentFlags.justified == 1) cell.alignment = alignJustified;
}
