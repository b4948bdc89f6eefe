#include "editing/textdialog.h"

#include "editing/textstate.h"

void showTextPropertiesDialog() { textAccepted = 0; }
