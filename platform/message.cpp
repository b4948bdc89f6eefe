#include "platform/message.h"

#include <windows.h>

void showMessage(const std::wstring& text, const std::wstring& caption) {
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL);
}

bool askYesNo(const std::wstring& text, const std::wstring& caption) {
    return MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_YESNO | MB_TASKMODAL) == IDYES;
}
