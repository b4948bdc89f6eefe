#include "platform/colourchooser.h"
#include "platform/systemlibrary.h"

#include <commdlg.h>

namespace {

constexpr COLORREF startingGrey = 0x00808080;
constexpr int chooserOffset = 30;

UINT_PTR CALLBACK placeChooser(HWND chooser, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* choose = reinterpret_cast<const CHOOSECOLORW*>(lParam);
        RECT owner{};
        if (choose && choose->hwndOwner && GetWindowRect(choose->hwndOwner, &owner)) {
            SetWindowPos(chooser, nullptr, owner.left + chooserOffset, owner.top + chooserOffset, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return 0;
}

}  // namespace

int32_t chooseColour(HWND owner, std::array<int32_t, 16>& customColours) {
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) custom[i] = static_cast<COLORREF>(customColours[i] & 0xFFFFFF);
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.rgbResult = startingGrey;
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ENABLEHOOK;
    choose.lpfnHook = placeChooser;
    static const auto chooseColour = systemFunction<decltype(ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    const bool picked = chooseColour && chooseColour(&choose) != FALSE;
    for (int i = 0; i < 16; ++i) customColours[i] = static_cast<int32_t>(custom[i]);
    return picked ? static_cast<int32_t>(choose.rgbResult & 0xFFFFFF) : -1;
}
