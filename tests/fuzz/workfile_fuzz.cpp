// Any bytes as a work file: the reader never reads or writes outside its
// tables, accepts exactly the whole-record files whose first record has a
// page, and what it accepts is written back as a file that reads the same.
#include "files/workfilecodec.h"

#include <cstdlib>
#include <cstring>

static void check(bool condition) { if (!condition) std::abort(); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using enum WorkFileStatus;
    WorkFileContents contents;
    const WorkFileStatus status = readWorkFile(std::string_view(reinterpret_cast<const char*>(data), size), contents);
    // Refused for its length, or for the page of its first record.
    const bool whole = size % workRecordSize == 0, page = size == 0 || (whole && pageFieldsValid(decodePageFields(data)));
    check(status == (!whole ? wrongLength : !page ? wrongPage : read));
    if (status != read) return 0;
    check(contents.records == size / workRecordSize && contents.hasPage == (size > 0));

    // The document takes what was read: every cell in its own place, its
    // strings ended, nothing selected. Written, read and written again, the
    // file is the same.
    applyWorkFile(contents);
    for (int day = 1; day <= pageDays; ++day)
        for (int column = 1; column <= pageColumns; ++column) {
            const DayCell& c = cellAt(column, day);
            check(std::memchr(c.fontName, '\0', sizeof c.fontName) && std::memchr(c.text, '\0', sizeof c.text) &&
                  c.selected == 0 && (c.day == 0 || (c.day == day && c.column == column)));
        }
    const std::string written = encodeWorkFile();
    check(readWorkFile(written, contents) == read);
    applyWorkFile(contents);
    check(encodeWorkFile() == written);
    restoreSnapshot(DocumentSnapshot{});
    return 0;
}
