// The registry: string values read for reading only and written as REG_SZ,
// the program's own path, and the notice to the desktop that file
// associations changed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

// One open registry key, closed when it goes out of scope.
class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY handle) : handle_(handle) {}
    RegistryKey(RegistryKey&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            close();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { close(); }

    HKEY get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    void close() {
        if (handle_) RegCloseKey(handle_);
        handle_ = nullptr;
    }
    HKEY handle_ = nullptr;
};

// Opens root\subKey with KEY_READ; an empty key when that fails.
RegistryKey openRegistryKeyForReading(HKEY root, const std::wstring& subKey);

// The value `name` (empty: the key's default value) of root\subKey, opened
// for reading only. The value must be a REG_SZ or REG_EXPAND_SZ; its text is
// returned as stored, up to its first zero, never expanded. Nothing when the
// key cannot be opened, the value is missing, has another type or cannot be
// read.
std::optional<std::wstring> readRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name);

// Creates or opens root\subKey with KEY_WRITE and stores `value` under
// `name` (empty: the default value) as REG_SZ, its length counting the
// terminating zero. The system's error code, 0 when the value was stored.
LONG writeRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name,
                         const std::wstring& value);

// The text with its environment-variable references (%NAME%) expanded; the
// text as it is when the expansion fails.
std::wstring expandEnvironmentStrings(const std::wstring& text);

// The full path of the running program file, at any length.
std::wstring programFilePath();

// Tells the desktop shell that file associations changed.
void announceAssociationChange();
