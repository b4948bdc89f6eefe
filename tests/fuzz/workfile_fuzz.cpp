// Any bytes as a work file: the reader never reads or writes outside its
// tables, accepts exactly the whole-record files whose first record has a
// page, and what it accepts is written back as the same cells.
#include "files/workfilecodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool terminated(const char* field, std::size_t capacity) { return std::memchr(field, '\0', capacity) != nullptr; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    WorkFileContents contents;
    const WorkFileStatus status = readWorkFile(bytes, contents);
    check(contents.cells.size() == std::size_t{pageColumns} * pageDays);
    if (size % workRecordSize != 0) {
        check(status == WorkFileStatus::wrongLength);
        return 0;
    }
    if (status == WorkFileStatus::wrongPage) {
        check(size > 0 && !pageFieldsValid(decodePageFields(data)));
        return 0;
    }
    check(status == WorkFileStatus::read);
    check(contents.records == size / workRecordSize);
    check(contents.hasPage == (size > 0));
    if (contents.hasPage) check(pageFieldsValid(contents.page));

    // The document takes what was read; written again and read once more,
    // every cell with a day comes back the same.
    applyWorkFile(contents);
    for (int day = 1; day <= pageDays; ++day) {
        for (int column = 1; column <= pageColumns; ++column) {
            const DayCell& cell = cellAt(column, day);
            check(terminated(cell.fontName, sizeof cell.fontName));
            check(terminated(cell.text, sizeof cell.text));
            check(cell.selected == 0);
            check(cell.day == 0 || (cell.day == day && cell.column == column));
        }
    }
    WorkFileContents again;
    const std::string rewritten = encodeWorkFile();
    if (contents.hasPage) {
        check(readWorkFile(rewritten, again) == WorkFileStatus::read);
        for (int day = 1; day <= pageDays; ++day) {
            for (int column = 1; column <= pageColumns; ++column) {
                WorkFileRecord a;
                WorkFileRecord b;
                encodeWorkRecord(contentsCell(contents, column, day), contents.page, a);
                encodeWorkRecord(contentsCell(again, column, day), contents.page, b);
                check(std::memcmp(a.bytes.data(), b.bytes.data(), workRecordSize) == 0);
            }
        }
    }
    restoreSnapshot(DocumentSnapshot{});
    return 0;
}
