// File-system services on UTF-16 paths of any length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

// The path in the form that the file functions take at any length: a long
// absolute path gets the \\?\ prefix (\\?\UNC\ for a share), others are kept.
std::wstring longPathForm(const std::wstring& path);
// True when the file system reports attributes for the path (a folder too).
bool pathExists(const std::wstring& path);
// The folder that holds the running program, without a trailing backslash.
std::wstring programFolder();

// The outcome of a file operation: 0 on success, otherwise the system's error
// code (GetLastError).
using FileError = unsigned long;

// Makes `parts`, one after the other, the whole content of the file at
// `path`. They are written to a new temporary file in the same folder, which
// is flushed, given the old file's attributes and then renamed over `path` in
// one step: stopped at any moment, `path` holds the old file or the new one
// whole. Its security is the folder's, as for any new file. On any failure the
// file at `path` is left as it was and the temporary file is removed. A
// read-only file at `path` is replaced only when `replaceReadOnly` is true
// (it then loses its read-only mark); otherwise that is ERROR_ACCESS_DENIED.
FileError writeFileSafely(const std::wstring& path, std::initializer_list<std::string_view> parts,
                          bool replaceReadOnly);
// The same, with the content made piece by piece as it is written: `nextPiece`
// is called until it gives an empty piece, and each piece is written before
// the next is asked for. A file that can be made again at any time need not be
// `durable`: it is put in place, still whole, without waiting for the disk to
// hold it, and renamed over the old file without keeping the old file's
// attributes.
FileError writeFileSafely(const std::wstring& path, const std::function<std::string_view()>& nextPiece,
                          bool replaceReadOnly, bool durable = true);

// Reads the whole file at `path` once, from start to end. `length` is told the
// file's length first and may stop the reading by returning false; `piece` then
// gets the content in consecutive pieces of `pieceSize` bytes (the last one may
// be shorter) and may stop it too. A folder gives ERROR_DIRECTORY, a file that
// ends before its length ERROR_HANDLE_EOF.
FileError readFileInPieces(const std::wstring& path, std::size_t pieceSize,
                           const std::function<bool(std::uint64_t length)>& length,
                           const std::function<bool(std::string_view piece)>& piece);

// Test seam: from now on, writeFileSafely writes at most `bytes` bytes of
// each file and then fails as the system would with `error`.
void failWritesAfter(std::uint64_t bytes, FileError error);
// Ends failWritesAfter.
void stopFailingWrites();

// The number that the program's "Err: " message gives for a system error code
// (see the table in files.cpp).
int fileErrorNumber(FileError error);
