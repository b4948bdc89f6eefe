// The texts of the ".ZANOR" association.
#include "app/registrytext.h"

std::wstring registrationQuestionText() {
    return L"Entendiendo que este programa necesita registrarse para su mejor funcionamiento :\r\n"
           L"Quiere registrar el programa en la ubicaci\u00f3n actual ?\r\n"
           L"Si acepta, se le aconseja que no mueva este programa y su carpeta de donde esta.\r\n"
           L"Si no acepta, puede mover la carpeta con el programa a una ubicaci\u00f3n mejor para registrar ...";
}

std::wstring extensionError(std::wstring_view extensionWord) {
    if (extensionWord.find(L'.') != std::wstring_view::npos) return L"Error : Extension se pone sin punto ...";
    return {};
}

std::wstring fileTypeName(std::wstring_view extensionWord) {
    return std::wstring(extensionWord) + L"-files";
}

std::wstring extensionKeyPath(std::wstring_view extensionWord) {
    return L"." + std::wstring(extensionWord);
}

std::wstring defaultIconKeyPath(std::wstring_view extensionWord) {
    return fileTypeName(extensionWord) + L"\\DefaultIcon";
}

std::wstring openCommandKeyPath(std::wstring_view extensionWord) {
    return fileTypeName(extensionWord) + L"\\Shell\\Open\\Command";
}

std::wstring lookUpCommandKeyPath(std::wstring_view typeName) {
    return joinKeyPath(typeName, L"shell\\open\\command");
}

std::wstring openCommandText(std::wstring_view programPath) {
    return L"\"" + std::wstring(programPath) + L"\" \"%1\"";
}

std::wstring defaultIconText(std::wstring_view programPath, std::int32_t iconIndex) {
    return std::wstring(programPath) + L"," + std::to_wstring(iconIndex);
}

namespace {

// The text without `c` at either end.
std::wstring_view trimmed(std::wstring_view text, wchar_t c) {
    const std::size_t first = text.find_first_not_of(c);
    if (first == std::wstring_view::npos) return {};
    const std::size_t last = text.find_last_not_of(c);
    return text.substr(first, last - first + 1);
}

}  // namespace

std::wstring_view stripBackslashes(std::wstring_view subKey) { return trimmed(subKey, L'\\'); }

std::wstring joinKeyPath(std::wstring_view key, std::wstring_view subKey) {
    const std::wstring_view left = stripBackslashes(key);
    const std::wstring_view right = stripBackslashes(subKey);
    if (left.empty()) return std::wstring(right);
    if (right.empty()) return std::wstring(left);
    return std::wstring(left) + L"\\" + std::wstring(right);
}

std::wstring_view trimSpaces(std::wstring_view text) { return trimmed(text, L' '); }

bool isRegisteredCommand(std::wstring_view expandedCommand) {
    return !trimSpaces(expandedCommand).empty();
}
