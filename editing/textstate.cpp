// The shared state of the text properties dialog.
#include "editing/textstate.h"

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
