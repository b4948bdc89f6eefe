#include "platform/text.h"

#include <windows.h>

#include <array>

namespace {
constexpr UINT cellCodePage = 1252;

std::array<wchar_t, 256> makeCellCharTable() {
    std::array<wchar_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const char c = static_cast<char>(i);
        if (MultiByteToWideChar(cellCodePage, 0, &c, 1, &table[i], 1) != 1) table[i] = static_cast<wchar_t>(i);
    }
    return table;
}
}  // namespace

wchar_t fromCellChar(char c) {
    static const std::array<wchar_t, 256> table = makeCellCharTable();
    return table[static_cast<unsigned char>(c)];
}

std::wstring fromCellText(std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(cellCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cellCodePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string toCellText(std::wstring_view text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(cellCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      "?", nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(cellCodePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, "?", nullptr);
    return out;
}
