#include "files/workfile.h"

#include "files/workfilecodec.h"
#include "platform/files.h"
#include "platform/message.h"

#include <string_view>

std::wstring workFilePath;

namespace {

// Records handed to the codec at a time while reading.
constexpr std::size_t recordsPerPiece = 256;

const wchar_t wrongFormatMessage[] =
    L"Formato de fichero erroneo ...\r\n"
    L"Se puede tratar de un fichero de trabajo de una versi\u00f3n anterior ...";

std::wstring_view errorDescription(int number) {
    switch (number) {
    case 7: return L"Out of memory";
    case 52: return L"Bad file name or number";
    case 53: return L"File not found";
    case 54: return L"Bad file mode";
    case 55: return L"File is open";
    case 57: return L"Device I/O error";
    case 58: return L"File already exists";
    case 61: return L"Disk full";
    case 62: return L"Input past end";
    case 63: return L"Bad record number";
    case 64: return L"Bad file name";
    case 67: return L"Too many files";
    case 68: return L"Device unavailable";
    case 70: return L"Permission denied";
    case 71: return L"Disk not ready";
    case 72: return L"Disk media error";
    case 75: return L"Path/file access error";
    case 76: return L"Path not found";
    default: return L"";
    }
}

}  // namespace

bool fileExists(const std::wstring& path) { return pathExists(path); }

std::wstring fileErrorMessage(int number) {
    std::wstring text = L"Err: ";
    text += number < 0 ? L'-' : L' ';
    text += std::to_wstring(number < 0 ? -static_cast<long long>(number) : number);
    text += L' ';
    text += errorDescription(number);
    return text;
}

void showFileError(unsigned long systemError) { showMessage(fileErrorMessage(fileErrorNumber(systemError))); }

void saveWorkFile() {
    const std::string bytes = encodeWorkFile();
    // The user has agreed to replace an existing file, read-only or not.
    const FileError error = writeFileSafely(workFilePath, {bytes}, true);
    if (error) showFileError(error);
}

bool loadWorkFile() {
    WorkFileContents contents;
    startWorkFile(contents);
    WorkFileStatus status = WorkFileStatus::read;
    const FileError error = readFileInPieces(
        workFilePath, workRecordSize * recordsPerPiece,
        [&](std::uint64_t length) {
            if (length % workRecordSize != 0) status = WorkFileStatus::wrongLength;
            return status == WorkFileStatus::read;
        },
        [&](std::string_view piece) {
            status = addWorkRecords(contents, piece);
            return status == WorkFileStatus::read;
        });
    if (error) {
        showFileError(error);
        return false;
    }
    if (status != WorkFileStatus::read) {
        showMessage(wrongFormatMessage);
        return false;
    }
    applyWorkFile(contents);
    return true;
}
