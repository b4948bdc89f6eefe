// "Exportar PNG" and "Exportar PDF A4": the page as a PNG image, pixel for
// pixel what "Fotocopia" writes, and as a PDF of two A4 sheets drawn at twice
// the page's resolution for print.
#pragma once

#include "platform/files.h"
#include "platform/image.h"

#include <string>

// The paths of the last exports of each kind; the next dialog of the same
// kind proposes its name.
extern std::wstring pngExportPath;
extern std::wstring pdfExportPath;

// Writes an image as an 8-bit RGB PNG file; replaces an older file only once
// the new one is complete.
FileError writePngFile(const std::wstring& path, const Image& image);
// Writes the page as a PDF document: the rows above sheetSplitRow on the first
// A4 sheet and the rest on the second, each drawn at twice the resolution of
// pageBitmap with its line breaks and glyph positions. Replaces an older file
// only once the new one is complete.
FileError writePdfFile(const std::wstring& path);

// Write the whole page, drawn up to date, to pngExportPath or pdfExportPath;
// a failure leaves the older file as it was and is told with the "Err: "
// message.
void exportPng();
void exportPdf();
