// The text properties dialog "Propiedades Texto", opened on the shared text
// state as the canvas opens it and driven as a user would.
#include "support.h"

#include "calendar/document.h"
#include "editing/colours.h"
#include "editing/textdialog.h"
#include "editing/textstate.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

enum {
    faceLabel = 10090,
    fontList = 10100,
    sizeLabel = 10110,
    sizeList = 10120,
    boldBox = 10130,
    italicBox = 10140,
    underlineBox = 10150,
    strikeoutBox = 10160,
    leadingBox = 10180,
    stylesGroup = 10190,
    preview = 10200,
    backLabel = 10210,
    backDots = 10220,
    backSwatch = 10230,
    textDots = 10240,
    textLabel = 10250,
    textSwatch = 10260,
    cancelButton = 10270,
    acceptButton = 10280,
    textBox = 10310,
    alignLeftRadio = 10330,
    alignRightRadio = 10340,
    alignCentreRadio = 10350,
    alignJustifiedRadio = 10360,
};

const wchar_t dialogCaption[] = L"Propiedades Texto";

// The cell that most tests open the dialog on.
DayCell sampleCell() {
    DayCell cell{};
    cell.backColour = 0x00D0E0F0;
    cell.fontColour = 0x00402010;
    assignField(cell.fontName, "Liberation Serif");
    cell.fontSize = 14;
    cell.bold = 1;
    cell.italic = 0;
    cell.underline = 1;
    cell.strikeout = 0;
    cell.leading = 1;
    assignField(cell.text, "Cumple de Ana");
    cell.alignment = alignRight;
    return cell;
}

// Opens the dialog on the state as it is; `action` runs inside it once.
void openDialog(const std::function<void(HWND)>& action) {
    DialogDriver driver;
    driver.expect(dialogCaption, action);
    showTextPropertiesDialog();
    EXPECT_EQ(driver.pending(), 0);
}

void clickControl(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void clickSwatch(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Types characters into the focused-or-not edit box as the keyboard would.
void type(HWND dialog, const std::wstring& text) {
    HWND edit = GetDlgItem(dialog, textBox);
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

std::wstring selectedItem(HWND dialog, int id) {
    const LRESULT at = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    if (at == CB_ERR) return L"(none)";
    wchar_t text[64] = {};
    SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::wstring> listItems(HWND dialog, int id) {
    std::vector<std::wstring> items;
    const LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// The box around every pixel of the preview that is not its background.
struct Ink {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    int pixels = 0;
    int height() const { return bottom - top + 1; }
    int width() const { return right - left + 1; }
};

Ink previewInk(HWND dialog, int32_t background) {
    HWND surface = GetDlgItem(dialog, preview);
    Ink ink;
    for (int y = 0; y < 136; ++y) {
        for (int x = 0; x < 280; ++x) {
            const int32_t p = surfacePixel(surface, x, y);
            if (p < 0 || p == background) continue;
            ++ink.pixels;
            ink.left = std::min(ink.left, x);
            ink.top = std::min(ink.top, y);
            ink.right = std::max(ink.right, x);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

bool sameAttributes(const TextAttributes& a, const TextAttributes& b) {
    return a.backColour == b.backColour && a.fontColour == b.fontColour && a.fontName == b.fontName &&
           a.pointSize == b.pointSize && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
           a.strikeout == b.strikeout && a.leading == b.leading;
}

class TextDialog : public ::testing::Test {
protected:
    void SetUp() override {
        resetTextDialogDefaults();
        assignField(textBuffer, "");
        textAccepted = -1;
        currentColour = 0;
    }
    void TearDown() override {
        resetTextDialogDefaults();
        assignField(textBuffer, "");
        textAccepted = 0;
        currentColour = 0;
        chooserCustomColours = {};
    }
};

TEST_F(TextDialog, OpensOnTheLoadedValues) {
    loadTextStateFromCell(sampleCell());
    openDialog([](HWND d) {
        EXPECT_EQ(textAccepted, 0);
        EXPECT_EQ(windowText(GetDlgItem(d, textBox)), L"Cumple de Ana");
        EXPECT_EQ(selectedItem(d, fontList), L"Liberation Serif");
        EXPECT_EQ(selectedItem(d, sizeList), L"14");
        EXPECT_TRUE(checked(d, boldBox));
        EXPECT_FALSE(checked(d, italicBox));
        EXPECT_TRUE(checked(d, underlineBox));
        EXPECT_FALSE(checked(d, strikeoutBox));
        EXPECT_TRUE(checked(d, leadingBox));
        EXPECT_FALSE(checked(d, alignLeftRadio));
        EXPECT_TRUE(checked(d, alignRightRadio));
        EXPECT_FALSE(checked(d, alignCentreRadio));
        EXPECT_FALSE(checked(d, alignJustifiedRadio));
        EXPECT_EQ(surfacePixel(GetDlgItem(d, backSwatch), 10, 10), 0x00D0E0F0);
        EXPECT_EQ(surfacePixel(GetDlgItem(d, textSwatch), 10, 10), 0x00402010);
        // "Prueba" in the text colour on the background colour, from (4, 4).
        EXPECT_EQ(surfacePixel(GetDlgItem(d, preview), 270, 130), 0x00D0E0F0);
        EXPECT_EQ(surfacePixel(GetDlgItem(d, preview), 2, 2), 0x00D0E0F0);
        const Ink ink = previewInk(d, 0x00D0E0F0);
        EXPECT_GT(ink.pixels, 50);
        EXPECT_GE(ink.left, 4);
        EXPECT_GE(ink.top, 4);
        EXPECT_LT(ink.bottom, 40);
        pressButton(d, cancelButton);
    });
    EXPECT_EQ(textAccepted, 0);
}

TEST_F(TextDialog, AcceptingUntouchedKeepsTheLoadedValuesButNotLineBreaks) {
    DayCell cell = sampleCell();
    assignField(cell.text, "uno\r\ndos\rtres\ncuatro");
    loadTextStateFromCell(cell);
    const TextAttributes loaded = committedAttributes;
    openDialog([](HWND d) { pressButton(d, acceptButton); });
    EXPECT_EQ(textAccepted, 1);
    EXPECT_TRUE(sameAttributes(committedAttributes, loaded));
    EXPECT_EQ(std::string(textBuffer), "uno dos tres cuatro");

    DayCell written{};
    storeTextStateInCell(written);
    EXPECT_EQ(written.backColour, cell.backColour);
    EXPECT_EQ(written.fontColour, cell.fontColour);
    EXPECT_EQ(std::string(written.fontName), "Liberation Serif");
    EXPECT_EQ(written.fontSize, 14);
    EXPECT_EQ(written.bold, 1);
    EXPECT_EQ(written.underline, 1);
    EXPECT_EQ(written.leading, 1);
    EXPECT_EQ(written.italic, 0);
    EXPECT_EQ(written.strikeout, 0);
    EXPECT_EQ(written.alignment, alignRight);
}

TEST_F(TextDialog, TheBoxRefusesMoreThan273Characters) {
    openDialog([](HWND d) {
        type(d, std::wstring(300, L'.'));
        EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(d, textBox)), 273);
        pressButton(d, acceptButton);
    });
    EXPECT_EQ(std::string(textBuffer), std::string(273, '.'));
}

TEST_F(TextDialog, ALineBreakTypedBetweenTwoLettersBecomesOneSpace) {
    openDialog([](HWND d) {
        type(d, L"a\nb");  // Ctrl+Enter
        EXPECT_EQ(windowText(GetDlgItem(d, textBox)), L"a\r\nb");
        pressButton(d, acceptButton);
    });
    EXPECT_EQ(std::string(textBuffer), "a b");
    EXPECT_EQ(textAccepted, 1);
}

TEST_F(TextDialog, TextOutsideWindows1252BecomesAVisibleQuestionMark) {
    openDialog([](HWND d) {
        // n with tilde and the euro sign exist in Windows-1252; a with macron,
        // infinity and a character beyond 16 bits do not.
        SetDlgItemTextW(d, textBox, L"A\u00F1o \u20AC5 \u0101\u221E \U0001F600.");
        pressButton(d, acceptButton);
    });
    EXPECT_EQ(std::string(textBuffer), "A\xF1o \x80" "5 ?? ?.");
}

TEST_F(TextDialog, AChosenColourThenCancelLeavesTheCommittedValues) {
    loadTextStateFromCell(sampleCell());
    const TextAttributes loaded = committedAttributes;
    DialogDriver driver;
    RECT dialogRect{};
    int choosers = 0;
    driver.always([](HWND w) { return GetDlgItem(w, 706) && GetDlgItem(w, 708); },
                  [&](HWND chooser) {
                      ++choosers;
                      EXPECT_EQ(windowText(GetDlgItem(chooser, 706)), L"128");
                      RECT r{};
                      GetWindowRect(chooser, &r);
                      EXPECT_EQ(r.left, dialogRect.left + 30);
                      EXPECT_EQ(r.top, dialogRect.top + 30);
                      const int values[] = {10, 20, 30};
                      for (int i = 0; i < 3; ++i) {
                          SetDlgItemInt(chooser, 706 + i, static_cast<UINT>(values[i]), FALSE);
                          SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(706 + i, EN_UPDATE),
                                       reinterpret_cast<LPARAM>(GetDlgItem(chooser, 706 + i)));
                      }
                      PostMessageW(chooser, WM_COMMAND, IDOK, 0);
                  });
    openDialog([&](HWND d) {
        GetWindowRect(d, &dialogRect);
        pressButton(d, backDots);
        EXPECT_EQ(workingAttributes.backColour, 0x1E140A);
        EXPECT_EQ(surfacePixel(GetDlgItem(d, backSwatch), 10, 10), 0x1E140A);
        EXPECT_EQ(surfacePixel(GetDlgItem(d, preview), 270, 130), 0x1E140A);
        pressButton(d, textDots);
        EXPECT_EQ(workingAttributes.fontColour, 0x1E140A);
        EXPECT_EQ(surfacePixel(GetDlgItem(d, textSwatch), 10, 10), 0x1E140A);
        pressButton(d, cancelButton);
    });
    EXPECT_EQ(choosers, 2);
    EXPECT_EQ(textAccepted, 0);
    EXPECT_TRUE(sameAttributes(committedAttributes, loaded));
}

TEST_F(TextDialog, ACancelledChooserChangesNothing) {
    loadTextStateFromCell(sampleCell());
    DialogDriver driver;
    driver.always([](HWND w) { return GetDlgItem(w, 706) && GetDlgItem(w, 708); },
                  [](HWND chooser) { PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0); });
    openDialog([](HWND d) {
        pressButton(d, textDots);
        EXPECT_EQ(workingAttributes.fontColour, 0x00402010);
        EXPECT_EQ(surfacePixel(GetDlgItem(d, textSwatch), 10, 10), 0x00402010);
        pressButton(d, acceptButton);
    });
    EXPECT_EQ(committedAttributes.fontColour, 0x00402010);
}

TEST_F(TextDialog, SwatchesTakeTheCurrentColourWhenItIsOne) {
    loadTextStateFromCell(sampleCell());
    openDialog([](HWND d) {
        currentColour = 0;  // black is a colour
        clickSwatch(d, backSwatch);
        EXPECT_EQ(committedAttributes.backColour, 0);
        EXPECT_EQ(workingAttributes.backColour, 0);
        EXPECT_EQ(surfacePixel(GetDlgItem(d, backSwatch), 10, 10), 0);
        EXPECT_EQ(surfacePixel(GetDlgItem(d, preview), 270, 130), 0);

        currentColour = -1;  // a pixel read that gave no colour
        clickSwatch(d, textSwatch);
        clickSwatch(d, backSwatch);
        EXPECT_EQ(committedAttributes.fontColour, 0x00402010);
        EXPECT_EQ(workingAttributes.fontColour, 0x00402010);
        EXPECT_EQ(committedAttributes.backColour, 0);
        EXPECT_EQ(surfacePixel(GetDlgItem(d, textSwatch), 10, 10), 0x00402010);

        currentColour = 0x00336699;
        clickSwatch(d, textSwatch);
        EXPECT_EQ(committedAttributes.fontColour, 0x00336699);
        EXPECT_EQ(workingAttributes.fontColour, 0x00336699);
        EXPECT_EQ(surfacePixel(GetDlgItem(d, textSwatch), 10, 10), 0x00336699);
        pressButton(d, cancelButton);
    });
    // A swatch sets the committed colour at once; cancelling does not undo it.
    EXPECT_EQ(textAccepted, 0);
    EXPECT_EQ(committedAttributes.backColour, 0);
    EXPECT_EQ(committedAttributes.fontColour, 0x00336699);
}

TEST_F(TextDialog, ASizeConfirmedInTheListIsTheWorkingSize) {
    loadTextStateFromCell(sampleCell());
    openDialog([](HWND d) {
        // A plain selection change is not a choice.
        HWND list = GetDlgItem(d, sizeList);
        SendMessageW(list, CB_SETCURSEL, 10, 0);
        SendMessageW(d, WM_COMMAND, MAKEWPARAM(sizeList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(workingAttributes.pointSize, 14);

        const Ink before = previewInk(d, 0x00D0E0F0);
        pickListItem(d, sizeList, 3);
        EXPECT_EQ(selectedItem(d, sizeList), L"09");
        EXPECT_EQ(workingAttributes.pointSize, 9);
        EXPECT_LT(previewInk(d, 0x00D0E0F0).height(), before.height());

        // A confirmation with no item selected changes nothing, whatever the
        // edit field holds.
        SetWindowTextW(list, L"33");
        pickListItem(d, sizeList, -1);
        EXPECT_EQ(workingAttributes.pointSize, 9);
        pressButton(d, acceptButton);
    });
    EXPECT_EQ(committedAttributes.pointSize, 9);
}

TEST_F(TextDialog, ASizeOutsideTheListShowsNoSizeAndIsKept) {
    DayCell cell = sampleCell();
    cell.fontSize = 72;
    loadTextStateFromCell(cell);
    openDialog([](HWND d) {
        EXPECT_EQ(SendDlgItemMessageW(d, sizeList, CB_GETCURSEL, 0, 0), CB_ERR);
        pressButton(d, acceptButton);
    });
    EXPECT_EQ(committedAttributes.pointSize, 72);
}

TEST_F(TextDialog, LeadingDrawsPruebaSmallerAtTheSameSize) {
    DayCell cell = sampleCell();
    cell.leading = 0;
    cell.bold = 0;
    cell.underline = 0;
    cell.fontSize = 36;
    loadTextStateFromCell(cell);
    openDialog([](HWND d) {
        const Ink without = previewInk(d, 0x00D0E0F0);
        clickControl(d, leadingBox);
        EXPECT_TRUE(checked(d, leadingBox));
        EXPECT_EQ(workingAttributes.leading, 1);
        EXPECT_EQ(workingAttributes.pointSize, 36);
        const Ink with = previewInk(d, 0x00D0E0F0);
        EXPECT_LT(with.height(), without.height());
        EXPECT_LT(with.width(), without.width());
        clickControl(d, leadingBox);
        EXPECT_EQ(workingAttributes.leading, 0);
        EXPECT_EQ(previewInk(d, 0x00D0E0F0).height(), without.height());
        pressButton(d, cancelButton);
    });
}

TEST_F(TextDialog, StyleBoxesSetTheWorkingFlagsAndAcceptCommitsThem) {
    loadTextStateFromCell(sampleCell());
    openDialog([](HWND d) {
        const Ink plain = previewInk(d, 0x00D0E0F0);
        clickControl(d, boldBox);
        clickControl(d, italicBox);
        clickControl(d, strikeoutBox);
        EXPECT_EQ(workingAttributes.bold, 0);
        EXPECT_EQ(workingAttributes.italic, 1);
        EXPECT_EQ(workingAttributes.strikeout, 1);
        EXPECT_EQ(committedAttributes.bold, 1);  // until "Aceptar"
        EXPECT_NE(previewInk(d, 0x00D0E0F0).pixels, plain.pixels);
        pressButton(d, acceptButton);
    });
    EXPECT_EQ(committedAttributes.bold, 0);
    EXPECT_EQ(committedAttributes.italic, 1);
    EXPECT_EQ(committedAttributes.underline, 1);
    EXPECT_EQ(committedAttributes.strikeout, 1);
    EXPECT_EQ(committedAttributes.leading, 1);
}

TEST_F(TextDialog, AFacePrefixSelectsTheFirstFamilyThatBeginsWithIt) {
    DayCell cell = sampleCell();
    assignField(cell.fontName, "Times");
    loadTextStateFromCell(cell);
    openDialog([](HWND d) {
        const std::vector<std::wstring> items = listItems(d, fontList);
        LRESULT first = CB_ERR;
        for (size_t i = 0; i < items.size() && first == CB_ERR; ++i)
            if (_wcsnicmp(items[i].c_str(), L"times", 5) == 0) first = static_cast<LRESULT>(i);
        ASSERT_NE(first, CB_ERR) << "no installed family begins with Times";
        EXPECT_EQ(SendDlgItemMessageW(d, fontList, CB_GETCURSEL, 0, 0), first);
        // Shown, not chosen: the working face is still the loaded one.
        EXPECT_EQ(workingAttributes.fontName, "Times");
        pickListItem(d, fontList, static_cast<int>(first));
        EXPECT_EQ(workingAttributes.fontName, std::string(items[first].begin(), items[first].end()));
        pressButton(d, cancelButton);
    });
    EXPECT_EQ(committedAttributes.fontName, "Times");
}

TEST_F(TextDialog, AFaceThatIsNotInstalledShowsNoFamilyAndIsKept) {
    DayCell cell = sampleCell();
    assignField(cell.fontName, "Zanor Inexistente");
    loadTextStateFromCell(cell);
    openDialog([](HWND d) {
        EXPECT_EQ(SendDlgItemMessageW(d, fontList, CB_GETCURSEL, 0, 0), CB_ERR);
        pickListItem(d, fontList, -1);
        EXPECT_EQ(workingAttributes.fontName, "Zanor Inexistente");
        pressButton(d, acceptButton);
    });
    EXPECT_EQ(committedAttributes.fontName, "Zanor Inexistente");
}

TEST_F(TextDialog, AFamilyPickedInTheListIsTheWorkingFaceAndChangesThePreview) {
    loadTextStateFromCell(sampleCell());
    openDialog([](HWND d) {
        const std::vector<std::wstring> items = listItems(d, fontList);
        const Ink serif = previewInk(d, 0x00D0E0F0);
        int mono = -1;
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == L"Liberation Mono") mono = static_cast<int>(i);
        ASSERT_GE(mono, 0);
        // A selection change alone takes the face but does not redraw.
        HWND list = GetDlgItem(d, fontList);
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(mono), 0);
        SendMessageW(d, WM_COMMAND, MAKEWPARAM(fontList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(workingAttributes.fontName, "Liberation Mono");
        EXPECT_EQ(previewInk(d, 0x00D0E0F0).width(), serif.width());
        pickListItem(d, fontList, mono);
        EXPECT_NE(previewInk(d, 0x00D0E0F0).width(), serif.width());
        pressButton(d, acceptButton);
    });
    EXPECT_EQ(committedAttributes.fontName, "Liberation Mono");
}

TEST_F(TextDialog, AlignmentButtonsSetOneFlag) {
    alignmentFlags = {0, 0, 1, 0};
    openDialog([](HWND d) {
        EXPECT_TRUE(checked(d, alignCentreRadio));
        EXPECT_FALSE(checked(d, alignLeftRadio));
        clickControl(d, alignJustifiedRadio);
        EXPECT_EQ(alignmentFlags.left + alignmentFlags.right + alignmentFlags.centre, 0);
        EXPECT_EQ(alignmentFlags.justified, 1);
        EXPECT_FALSE(checked(d, alignCentreRadio));
        clickControl(d, alignRightRadio);
        EXPECT_EQ(alignmentFlags.right, 1);
        EXPECT_EQ(alignmentFlags.left + alignmentFlags.centre + alignmentFlags.justified, 0);
        clickControl(d, alignLeftRadio);
        EXPECT_EQ(alignmentFlags.left, 1);
        EXPECT_EQ(alignmentFlags.right + alignmentFlags.centre + alignmentFlags.justified, 0);
        pressButton(d, cancelButton);
    });
    // The flags change at once; cancelling leaves them.
    EXPECT_EQ(alignmentFlags.left, 1);

    alignmentFlags = {0, 0, 0, 0};
    openDialog([](HWND d) {
        for (int id : {alignLeftRadio, alignRightRadio, alignCentreRadio, alignJustifiedRadio})
            EXPECT_FALSE(checked(d, id)) << id;
        pressButton(d, cancelButton);
    });
}

TEST_F(TextDialog, ACellWithoutAnAlignmentKeepsTheLastFlags) {
    alignmentFlags = {0, 0, 0, 1};
    DayCell cell = sampleCell();
    cell.alignment = 0;
    loadTextStateFromCell(cell);
    openDialog([](HWND d) {
        EXPECT_TRUE(checked(d, alignJustifiedRadio));
        pressButton(d, acceptButton);
    });
    DayCell written{};
    storeTextStateInCell(written);
    EXPECT_EQ(written.alignment, alignJustified);
}

TEST_F(TextDialog, ReturnEscapeAndCloseDoNotEndIt) {
    openDialog([](HWND d) {
        SendMessageW(d, WM_COMMAND, IDOK, 0);
        SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
        SendMessageW(d, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindowVisible(d));
        EXPECT_EQ(textAccepted, 0);
        pressButton(d, acceptButton);
    });
    EXPECT_EQ(textAccepted, 1);
}

TEST_F(TextDialog, TheFocusedControlGetsTheFocusBackOnReactivation) {
    openDialog([](HWND d) {
        HWND edit = GetDlgItem(d, textBox);
        SetFocus(edit);
        SendMessageW(d, WM_NCACTIVATE, FALSE, 0);
        SetFocus(GetDlgItem(d, acceptButton));
        SendMessageW(d, WM_NCACTIVATE, TRUE, 0);
        EXPECT_EQ(GetFocus(), edit);
        pressButton(d, cancelButton);
    });
}

TEST_F(TextDialog, WindowIsTopmostUnownedAndCentredWithItsClientSize) {
    openDialog([](HWND d) {
        RECT client{};
        GetClientRect(d, &client);
        EXPECT_EQ(client.right, 442);
        EXPECT_EQ(client.bottom, 502);
        RECT window{};
        GetWindowRect(d, &window);
        EXPECT_LE(std::abs((window.left + window.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
        EXPECT_LE(std::abs((window.top + window.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
        const LONG_PTR style = GetWindowLongPtrW(d, GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrW(d, GWL_EXSTYLE);
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
        EXPECT_FALSE(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
        EXPECT_TRUE(exStyle & WS_EX_CONTROLPARENT);
        EXPECT_EQ(GetWindow(d, GW_OWNER), nullptr);
        pressButton(d, cancelButton);
    });
}

struct Expected {
    int id;
    const wchar_t* text;  // null: not compared
    int x, y, width, height;  // height 0: not compared (combo boxes)
    DWORD style;
    DWORD notStyle;
};

RECT placeInDialog(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LOGFONTW fontOf(HWND dialog, int id) {
    LOGFONTW lf{};
    const auto font = reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

TEST_F(TextDialog, ControlsInTabOrderWithTheirPlacesTextsStylesAndFonts) {
    openDialog([](HWND d) {
        const std::vector<int> order = {
            faceLabel,   fontList,    sizeLabel,    sizeList,     boldBox,      italicBox,
            underlineBox, strikeoutBox, leadingBox, stylesGroup, preview,      backLabel,
            backDots,    backSwatch,  textDots,     textLabel,    textSwatch,   cancelButton,
            acceptButton, textBox,    alignLeftRadio, alignRightRadio, alignCentreRadio, alignJustifiedRadio,
        };
        std::vector<int> children;
        for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(GetDlgCtrlID(c));
        EXPECT_EQ(children, order);

        const Expected table[] = {
            {faceLabel, L"Tipo de Fuente", 8, 8, 312, 16, SS_CENTER, 0},
            {fontList, nullptr, 8, 24, 304, 0, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT | CBS_HASSTRINGS | WS_TABSTOP,
             CBS_OWNERDRAWVARIABLE},
            // A drop-down with an edit field: CBS_DROPDOWN without the CBS_SIMPLE bit.
            {sizeList, nullptr, 314, 24, 120, 0, CBS_DROPDOWN | CBS_SORT | WS_TABSTOP, CBS_SIMPLE},
            {italicBox, L"Itálico", 13, 96, 126, 24, BS_AUTOCHECKBOX, 0},
            {stylesGroup, L"Estilos", 8, 56, 136, 144, BS_GROUPBOX | BS_CENTER, 0},
            {preview, nullptr, 152, 64, 280, 136, WS_BORDER, 0},
            {backLabel, L"Color de fondo", 0, 216, 152, 24, SS_CENTER, 0},
            {backSwatch, nullptr, 216, 208, 32, 32, WS_BORDER | SS_NOTIFY, 0},
            {textDots, L"...", 151, 249, 56, 32, 0, BS_DEFPUSHBUTTON},
            {acceptButton, L"Aceptar", 256, 250, 102, 32, 0, BS_DEFPUSHBUTTON},
            {textBox, nullptr, 5, 290, 320, 120, ES_MULTILINE,
             WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN},
            {alignLeftRadio, L"Alineamiento a la Izquierda", 5, 412, 210, 18, BS_AUTORADIOBUTTON | WS_GROUP, 0},
            {alignJustifiedRadio, L"Alineamiento Justificado", 5, 472, 210, 18, BS_AUTORADIOBUTTON, WS_GROUP},
        };
        for (const Expected& e : table) {
            SCOPED_TRACE(e.id);
            HWND control = GetDlgItem(d, e.id);
            ASSERT_NE(control, nullptr);
            const RECT r = placeInDialog(d, e.id);
            EXPECT_EQ(r.left, e.x);
            EXPECT_EQ(r.top, e.y);
            EXPECT_EQ(r.right - r.left, e.width);
            if (e.height) {
                EXPECT_EQ(r.bottom - r.top, e.height);
            }
            if (e.text) {
                EXPECT_EQ(windowText(control), e.text);
            }
            const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
            EXPECT_EQ(style & e.style, e.style);
            EXPECT_EQ(style & e.notStyle, 0u);
        }
        EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(d, textBox), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        // The combo box hands its scroll bar on to its dropped list.
        COMBOBOXINFO fonts{};
        fonts.cbSize = sizeof fonts;
        ASSERT_TRUE(GetComboBoxInfo(GetDlgItem(d, fontList), &fonts));
        EXPECT_TRUE(GetWindowLongPtrW(fonts.hwndList, GWL_STYLE) & WS_VSCROLL);

        // "MS Sans Serif" bold at 10, 12 and 18 points (96 dots per inch).
        for (int id : {faceLabel, sizeList, boldBox, stylesGroup, cancelButton, textBox, alignRightRadio}) {
            const LOGFONTW lf = fontOf(d, id);
            EXPECT_EQ(lf.lfHeight, -13) << id;
            EXPECT_EQ(lf.lfWeight, FW_BOLD) << id;
            EXPECT_STREQ(lf.lfFaceName, L"MS Sans Serif") << id;
        }
        EXPECT_EQ(fontOf(d, backLabel).lfHeight, -16);
        EXPECT_EQ(fontOf(d, textLabel).lfHeight, -16);
        EXPECT_EQ(fontOf(d, backDots).lfHeight, -24);
        EXPECT_EQ(fontOf(d, textDots).lfWeight, FW_BOLD);
        pressButton(d, cancelButton);
    });
}

}  // namespace
