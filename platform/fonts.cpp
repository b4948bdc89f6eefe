#include "platform/fonts.h"

#include "platform/text.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

int fontPixelHeight(int dpi, int points) {
    if (points == 0) points = 8;
    points = std::clamp(points, smallestPointSize, largestPointSize);
    return static_cast<int>(std::nearbyint(dpi * points / 72.0));
}

Font makeTextFont(std::string_view face, int points, int32_t style) {
    LOGFONTW lf{};
    const int height = fontPixelHeight(fontDpi, points);
    lf.lfHeight = (style & 16) ? height : -height;
    lf.lfWeight = (style & 1) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style & 2) ? TRUE : FALSE;
    lf.lfUnderline = (style & 4) ? TRUE : FALSE;
    lf.lfStrikeOut = (style & 8) ? TRUE : FALSE;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    const std::wstring wide = fromCellText(face.substr(0, std::min<size_t>(face.size(), LF_FACESIZE - 1)));
    std::wmemcpy(lf.lfFaceName, wide.c_str(), std::min<size_t>(wide.size(), LF_FACESIZE - 1));
    return Font(CreateFontIndirectW(&lf));
}
