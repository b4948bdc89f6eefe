#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

std::wstring longPathForm(const std::wstring& path) {
    if (path.size() < MAX_PATH - 12 || path.rfind(L"\\\\?\\", 0) == 0) return path;
    // Relative paths and forward slashes are resolved first: the prefixed form
    // takes the path as it stands.
    DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return path;
    full.resize(written);
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool pathExists(const std::wstring& path) {
    if (path.empty()) return false;
    return GetFileAttributesW(longPathForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring programFolder() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return L".";
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const size_t slash = buffer.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : buffer.substr(0, slash);
}

// ---------------------------------------------------------------------------
// Writing a file completely before it replaces the old one.

namespace {

// The test seam of failWritesAfter.
bool writesFail = false;
std::uint64_t writeLimit = 0;
FileError writeLimitError = ERROR_WRITE_FAULT;

// Closes a file handle when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // True when the handle was closed without an error.
    bool close() {
        if (!valid()) return true;
        const bool ok = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle_;
};

// The absolute form of a path, at any length; the path itself when the system
// cannot resolve it.
std::wstring fullPathOf(const std::wstring& path) {
    const std::wstring given = longPathForm(path);
    DWORD needed = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(given.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return path;
    full.resize(written);
    return full;
}

// Writes `size` bytes, in pieces the system takes, with the test seam. A
// short write is taken up again: the next one tells why it stopped.
FileError writeAll(HANDLE file, const char* data, std::size_t size, std::uint64_t& written) {
    constexpr std::size_t pieceLimit = std::size_t{1} << 20;
    while (size > 0) {
        std::size_t piece = std::min(size, pieceLimit);
        if (writesFail) {
            if (written >= writeLimit) return writeLimitError;
            piece = static_cast<std::size_t>(std::min<std::uint64_t>(piece, writeLimit - written));
        }
        DWORD done = 0;
        if (!WriteFile(file, data, static_cast<DWORD>(piece), &done, nullptr)) return GetLastError();
        if (done == 0) return ERROR_WRITE_FAULT;
        data += done;
        size -= done;
        written += done;
    }
    return 0;
}

// A new, empty file beside `target` whose name no other file has; its path
// goes to `tempPath`.
FileError createTemporaryBeside(const std::wstring& target, std::wstring& tempPath, HANDLE& handle) {
    const std::wstring full = fullPathOf(target);
    const std::size_t slash = full.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : full.substr(0, slash + 1);
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[64];
        swprintf(name, 64, L"~zanor-%lx-%lx-%x.tmp", GetCurrentProcessId(), GetTickCount(), ++serial);
        tempPath = folder + name;
        handle = CreateFileW(longPathForm(tempPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) return 0;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return error;
    }
    return ERROR_FILE_EXISTS;
}

// Puts the complete temporary file in place of the target in one step: one
// rename over the old file, so that whenever the program stops, the target's
// name holds either the old file or the new one. The new file first takes the
// old one's attributes (when `keepOld`), all but the read-only mark.
FileError putInPlace(const std::wstring& temp, const std::wstring& target, bool replaceReadOnly, bool keepOld) {
    const std::wstring tempName = longPathForm(temp);
    const std::wstring targetName = longPathForm(target);
    const DWORD attributes = GetFileAttributesW(targetName.c_str());
    constexpr DWORD moveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (MoveFileExW(tempName.c_str(), targetName.c_str(), moveFlags)) return 0;
        return GetLastError();
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_ACCESS_DENIED;
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly && !replaceReadOnly) return ERROR_ACCESS_DENIED;
    constexpr DWORD settable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (keepOld && (attributes & settable) && !SetFileAttributesW(tempName.c_str(), attributes & settable))
        return GetLastError();
    // A read-only file refuses to be replaced: it loses the mark first, and
    // gets it back when the rename fails.
    if (readOnly && !SetFileAttributesW(targetName.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}))
        return GetLastError();
    if (MoveFileExW(tempName.c_str(), targetName.c_str(), moveFlags)) return 0;
    const DWORD error = GetLastError();
    if (readOnly) SetFileAttributesW(targetName.c_str(), attributes);
    return error;
}

}  // namespace

FileError writeFileSafely(const std::wstring& path, std::initializer_list<std::string_view> parts,
                          bool replaceReadOnly) {
    auto part = parts.begin();
    return writeFileSafely(
        path,
        [&part, &parts]() -> std::string_view {
            // An empty part in the list is skipped, not taken for the end.
            while (part != parts.end() && part->empty()) ++part;
            return part == parts.end() ? std::string_view() : *part++;
        },
        replaceReadOnly);
}

FileError writeFileSafely(const std::wstring& path, const std::function<std::string_view()>& nextPiece,
                          bool replaceReadOnly, bool durable) {
    if (path.empty()) return ERROR_INVALID_NAME;
    std::wstring temp;
    HANDLE created = INVALID_HANDLE_VALUE;
    FileError error = createTemporaryBeside(path, temp, created);
    if (error) return error;
    FileHandle file(created);
    std::uint64_t written = 0;
    for (std::string_view piece = nextPiece(); !piece.empty(); piece = nextPiece()) {
        error = writeAll(file.get(), piece.data(), piece.size(), written);
        if (error) break;
    }
    if (!error && durable && !FlushFileBuffers(file.get())) error = GetLastError();
    if (!file.close() && !error) error = GetLastError();
    if (!error) error = putInPlace(temp, path, replaceReadOnly, durable);
    if (error) DeleteFileW(longPathForm(temp).c_str());
    return error;
}

FileError readFileInPieces(const std::wstring& path, std::size_t pieceSize,
                           const std::function<bool(std::uint64_t length)>& length,
                           const std::function<bool(std::string_view piece)>& piece) {
    if (path.empty()) return ERROR_INVALID_NAME;
    if (pieceSize == 0) return ERROR_INVALID_PARAMETER;
    const std::wstring name = longPathForm(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_DIRECTORY;
    // Others may read the file meanwhile, nobody may write it.
    FileHandle file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return GetLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return GetLastError();
    std::uint64_t remaining = static_cast<std::uint64_t>(size.QuadPart);
    if (!length(remaining)) return 0;
    std::string buffer(static_cast<std::size_t>(std::min<std::uint64_t>(pieceSize, remaining)), '\0');
    while (remaining > 0) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(pieceSize, remaining));
        std::size_t have = 0;
        while (have < want) {
            DWORD done = 0;
            const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(want - have, std::size_t{1} << 20));
            if (!ReadFile(file.get(), buffer.data() + have, ask, &done, nullptr)) return GetLastError();
            if (done == 0) return ERROR_HANDLE_EOF;
            have += done;
        }
        remaining -= want;
        if (!piece(std::string_view(buffer.data(), want))) return 0;
    }
    return 0;
}

void failWritesAfter(std::uint64_t bytes, FileError error) {
    writesFail = true;
    writeLimit = bytes;
    writeLimitError = error;
}

void stopFailingWrites() { writesFail = false; }

// How the system's error codes become the numbers of the "Err: " message.
// Codes not in this table give 75.
//
// | system error                                              | number | description               |
// |-----------------------------------------------------------|--------|---------------------------|
// | ERROR_NOT_ENOUGH_MEMORY, ERROR_OUTOFMEMORY (no memory to  | 7      | Out of memory             |
// |   make the file's content: an image, its compression)     |        |                           |
// | ERROR_INVALID_HANDLE                                      | 52     | Bad file name or number   |
// | ERROR_FILE_NOT_FOUND                                      | 53     | File not found            |
// | ERROR_INVALID_ACCESS, ERROR_NOT_SUPPORTED                 | 54     | Bad file mode             |
// | ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION,            | 55     | File is open              |
// |   ERROR_USER_MAPPED_FILE                                  |        |                           |
// | ERROR_WRITE_FAULT, ERROR_READ_FAULT, ERROR_GEN_FAILURE,   | 57     | Device I/O error          |
// |   ERROR_IO_DEVICE                                         |        |                           |
// | ERROR_FILE_EXISTS, ERROR_ALREADY_EXISTS                   | 58     | File already exists       |
// | ERROR_HANDLE_DISK_FULL, ERROR_DISK_FULL,                  | 61     | Disk full                 |
// |   ERROR_DISK_QUOTA_EXCEEDED (1295)                        |        |                           |
// | ERROR_HANDLE_EOF                                          | 62     | Input past end            |
// | ERROR_SEEK, ERROR_NEGATIVE_SEEK                           | 63     | Bad record number         |
// | ERROR_INVALID_NAME, ERROR_BAD_PATHNAME,                   | 64     | Bad file name             |
// |   ERROR_FILENAME_EXCED_RANGE                              |        |                           |
// | ERROR_TOO_MANY_OPEN_FILES                                 | 67     | Too many files            |
// | ERROR_INVALID_DRIVE, ERROR_DEV_NOT_EXIST, ERROR_BAD_UNIT, | 68     | Device unavailable        |
// |   ERROR_BAD_NETPATH, ERROR_BAD_NET_NAME,                  |        |                           |
// |   ERROR_NETNAME_DELETED, ERROR_DEVICE_NOT_CONNECTED       |        |                           |
// | ERROR_ACCESS_DENIED, ERROR_WRITE_PROTECT,                 | 70     | Permission denied         |
// |   ERROR_CANNOT_MAKE                                       |        |                           |
// | ERROR_NOT_READY, ERROR_NO_MEDIA_IN_DRIVE                  | 71     | Disk not ready            |
// | ERROR_CRC, ERROR_SECTOR_NOT_FOUND, ERROR_FILE_CORRUPT,    | 72     | Disk media error          |
// |   ERROR_DISK_CORRUPT                                      |        |                           |
// | ERROR_DIRECTORY, ERROR_UNABLE_TO_REMOVE_REPLACED,         | 75     | Path/file access error    |
// |   ERROR_UNABLE_TO_MOVE_REPLACEMENT(_2), any other         |        |                           |
// | ERROR_PATH_NOT_FOUND                                      | 76     | Path not found            |
int fileErrorNumber(FileError error) {
    constexpr FileError diskQuotaExceeded = 1295;  // ERROR_DISK_QUOTA_EXCEEDED
    switch (error) {
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return 7;
    case ERROR_INVALID_HANDLE:
        return 52;
    case ERROR_FILE_NOT_FOUND:
        return 53;
    case ERROR_INVALID_ACCESS:
    case ERROR_NOT_SUPPORTED:
        return 54;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return 55;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return 57;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return 58;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
    case diskQuotaExceeded:
        return 61;
    case ERROR_HANDLE_EOF:
        return 62;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return 63;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return 64;
    case ERROR_TOO_MANY_OPEN_FILES:
        return 67;
    case ERROR_INVALID_DRIVE:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_UNIT:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETNAME_DELETED:
    case ERROR_DEVICE_NOT_CONNECTED:
        return 68;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_CANNOT_MAKE:
        return 70;
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
        return 71;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_FILE_CORRUPT:
    case ERROR_DISK_CORRUPT:
        return 72;
    case ERROR_PATH_NOT_FOUND:
        return 76;
    default:
        return 75;
    }
}
