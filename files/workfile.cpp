#include "files/workfile.h"

#include "platform/files.h"

std::wstring workFilePath;

bool fileExists(const std::wstring& path) { return pathExists(path); }

bool loadWorkFile() {
    // Reading work files arrives with the work-file format.
    return false;
}
