// The two colour dialogs that the canvas's right button opens.
#pragma once

// "Color Captado": shows the current colour as a swatch and in hexadecimal.
void showColourCaptureDialog();
// The 130 favourite colours.
void showFavouriteColoursDialog();
