// Message boxes: no owner window, no icon, task-modal, so that no other window
// of the program can be used while one is open.
#pragma once

#include <string>

// A notice with one OK button.
void showMessage(const std::wstring& text, const std::wstring& caption = L"Programador");
// A question with Yes and No; true only for Yes.
bool askYesNo(const std::wstring& text, const std::wstring& caption = L"Programador");
