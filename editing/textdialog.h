// The text properties dialog "Propiedades Texto".
#pragma once

// Runs the dialog on the shared text state (editing/textstate.h); sets
// textAccepted to 1 when the user accepts.
void showTextPropertiesDialog();
