// "Fotocopia": the whole page image written as a 24-bit Windows bitmap file.
#pragma once

#include <string>

// The path of the last export; the next export dialog proposes its name.
extern std::wstring exportPath;

// Writes pageBitmap, as last drawn, to exportPath: 1000 x 2900 pixels, 24 bits,
// rows bottom-up. The file is written completely before it replaces an older
// one; a failure leaves the older file as it was and is told with the "Err: "
// message.
void exportBitmap();
