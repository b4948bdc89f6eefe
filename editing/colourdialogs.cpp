#include "editing/colourdialogs.h"

// The capture and favourites dialogs arrive with their own work; until then a
// capture only sets the current colour.

void showColourCaptureDialog() {}

void showFavouriteColoursDialog() {}
