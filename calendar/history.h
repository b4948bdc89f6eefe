// The steps that "Deshacer" takes back and "Rehacer" brings back: the
// document as it stood before each change, and as it stood before each undo.
// Only changes to what a save writes are steps; a selection is never kept.
// Portable: no platform headers.
#pragma once

#include "calendar/document.h"

#include <cstddef>
#include <deque>
#include <vector>

// Steps kept; when one more is made, the oldest goes.
constexpr std::size_t historyDepth = 100;

struct History {
    std::deque<DocumentSnapshot> undo;   // oldest first
    std::vector<DocumentSnapshot> redo;  // the next to bring back last
    // Steps begun and not ended yet. While one is open (its dialog owns the
    // page), every change is part of it and makes no step of its own.
    int open = 0;
};

// The steps of the page of this run.
extern History pageHistory;

// Ends a change that began when `before` was taken. When no step is open,
// there was a page then (the first page of a run is the floor) and what a
// save writes differs now, `before` becomes the step to undo and nothing is
// left to redo; true then.
bool recordStep(History& history, DocumentSnapshot before);
// A step that lasts while its dialog is open: beginStep gives the document as
// it is, endStep records the change since then as one step (recordStep) once
// no other step is open.
DocumentSnapshot beginStep(History& history);
bool endStep(History& history, DocumentSnapshot before);
// Puts back the document as it was before the last step, or as it was before
// the last undo, with no cell selected; false when there is nothing to.
bool undoStep(History& history);
bool redoStep(History& history);
// True when two documents give the same work file and keep the same cells,
// drawn or not; selections and the copies of the page fields that drawing
// stamps into cells do not count.
bool sameSavedDocument(const DocumentSnapshot& a, const DocumentSnapshot& b);
// The memory that the steps hold, in bytes.
std::size_t historyBytes(const History& history);
