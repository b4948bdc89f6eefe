// The steps of "Deshacer" and "Rehacer".
#include "calendar/history.h"

#include <cstring>
#include <utility>

History pageHistory;

namespace {

bool sameSavedCell(const DayCell& a, const DayCell& b) {
    return a.reserved1 == b.reserved1 && a.reserved2 == b.reserved2 && a.reserved3 == b.reserved3 &&
           a.reserved4 == b.reserved4 && a.column == b.column && a.day == b.day && a.backColour == b.backColour &&
           a.fontColour == b.fontColour && std::memcmp(a.fontName, b.fontName, sizeof a.fontName) == 0 &&
           a.fontSize == b.fontSize && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
           a.strikeout == b.strikeout && a.leading == b.leading &&
           std::memcmp(a.text, b.text, sizeof a.text) == 0 && a.alignment == b.alignment;
}

bool hasPage(const DocumentSnapshot& document) {
    return !document.cells.empty() && document.firstMonth >= 1 && document.firstMonth <= 12 &&
           document.firstYear >= 1;
}

DocumentSnapshot unselected(DocumentSnapshot document) {
    document.selectionCount = 0;
    for (DayCell& cell : document.cells) cell.selected = 0;
    return document;
}

template <typename Steps>
std::size_t stepBytes(const Steps& steps) {
    std::size_t bytes = 0;
    for (const DocumentSnapshot& step : steps) bytes += sizeof step + step.cells.capacity() * sizeof(DayCell);
    return bytes;
}

// Puts back the newest document of `from`, and keeps the one it replaces in
// `to`: the two change places, and no document is copied.
template <typename From, typename To>
bool moveStep(From& from, To& to) {
    if (from.empty()) return false;
    DocumentSnapshot step = std::move(from.back());
    from.pop_back();
    exchangeSnapshot(step);
    to.push_back(unselected(std::move(step)));
    return true;
}

}  // namespace

bool sameSavedDocument(const DocumentSnapshot& a, const DocumentSnapshot& b) {
    if (a.firstMonth != b.firstMonth || a.firstYear != b.firstYear || a.lineColour != b.lineColour ||
        a.weekdayDateColour != b.weekdayDateColour || a.sundayDateColour != b.sundayDateColour ||
        a.cells.size() != b.cells.size())
        return false;
    for (std::size_t i = 0; i < a.cells.size(); ++i) {
        if (!sameSavedCell(a.cells[i], b.cells[i])) return false;
    }
    return true;
}

bool recordStep(History& history, DocumentSnapshot before) {
    if (history.open > 0 || !hasPage(before) || sameSavedDocument(before, takeSnapshot())) return false;
    history.redo.clear();
    history.undo.push_back(unselected(std::move(before)));
    while (history.undo.size() > historyDepth) history.undo.pop_front();
    return true;
}

DocumentSnapshot beginStep(History& history) {
    ++history.open;
    return takeSnapshot();
}

bool endStep(History& history, DocumentSnapshot before) {
    --history.open;
    return recordStep(history, std::move(before));
}

bool undoStep(History& history) { return moveStep(history.undo, history.redo); }

bool redoStep(History& history) { return moveStep(history.redo, history.undo); }

std::size_t historyBytes(const History& history) {
    return sizeof history + stepBytes(history.undo) + stepBytes(history.redo);
}
