// "Fotocopia": the whole page image written as a 24-bit Windows bitmap file.
#pragma once

#include "platform/files.h"
#include "platform/image.h"

#include <string>

// The path of the last export; the next export dialog proposes its name.
extern std::wstring exportPath;

// Writes the page, as the document is at this moment, to exportPath: 1000 x
// 2900 pixels, 24 bits, rows bottom-up. The file is written completely before it replaces an older
// one; a failure leaves the older file as it was and is told with the "Err: "
// message.
void exportBitmap();

// Writes an image as a 24-bit Windows bitmap file, rows bottom-up; replaces
// an older file only once the new one is complete.
FileError writeBitmapFile(const std::wstring& path, const Image& image);
