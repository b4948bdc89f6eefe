// The command tail and the work-file path it names.
#include "app/commandline.h"

#include <cstddef>

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

}  // namespace

std::wstring commandTail(std::wstring_view commandLine) {
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    if (n > 0 && commandLine[0] == L'"') {
        // A quoted program path runs to its closing quote.
        const std::size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring_view::npos ? n : close + 1;
    } else {
        while (i < n && !isBlank(commandLine[i])) {
            ++i;
        }
    }
    while (i < n && isBlank(commandLine[i])) {
        ++i;
    }
    return std::wstring(commandLine.substr(i));
}

std::wstring pathFromTail(std::wstring_view tail) {
    std::wstring path;
    path.reserve(tail.size());
    for (const wchar_t c : tail) {
        if (c != L'"') {
            path.push_back(c);
        }
    }
    return path;
}
