#include "platform/registry.h"
#include "platform/systemlibrary.h"

#include <shlobj.h>

#include <vector>

RegistryKey openRegistryKeyForReading(HKEY root, const std::wstring& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return RegistryKey();
    return RegistryKey(key);
}

std::optional<std::wstring> readRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name) {
    const RegistryKey key = openRegistryKeyForReading(root, subKey);
    if (!key) return std::nullopt;
    // The value may change between asking its size and reading it: ask again
    // while it has grown.
    DWORD bytes = 0;
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
        // Room for the data, rounded up to whole characters, and one zero
        // more: stored strings need not end with one.
        std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 2, L'\0');
        DWORD size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        const LONG result = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result == ERROR_MORE_DATA) {
            bytes = size;
            continue;
        }
        if (result != ERROR_SUCCESS) return std::nullopt;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
        // At most size bytes were written and the last character was never
        // handed out: the text ends with a zero.
        return std::wstring(buffer.data());
    }
    return std::nullopt;
}

LONG writeRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name,
                         const std::wstring& value) {
    HKEY created = nullptr;
    LONG result = RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                  &created, nullptr);
    if (result != ERROR_SUCCESS) return result;
    const RegistryKey key(created);
    const std::size_t bytes = (value.size() + 1) * sizeof(wchar_t);
    if (bytes > MAXDWORD) return ERROR_INVALID_PARAMETER;
    return RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(bytes));
}

std::wstring expandEnvironmentStrings(const std::wstring& text) {
    std::wstring expanded(text.size() + 64, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        // The count includes the terminating zero.
        const DWORD needed =
            ExpandEnvironmentStringsW(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
        if (needed == 0) return text;
        if (needed <= expanded.size()) {
            expanded.resize(needed - 1);
            // Some systems count one character more than they write.
            expanded.resize(std::wstring(expanded.c_str()).size());
            return expanded;
        }
        expanded.assign(needed, L'\0');
    }
    return text;
}

std::wstring programFilePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

void announceAssociationChange() {
    static const auto notify = systemFunction<decltype(SHChangeNotify)>(L"shell32.dll", "SHChangeNotify");
    if (notify) notify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}
