// The soak: a bounded random walk of user actions over every command and
// dialog of one running program, reproducible from its seed (printed;
// ZANOR_SOAK_SEED chooses another, ZANOR_SOAK_ACTIONS and ZANOR_SOAK_SECONDS
// other bounds). After every gesture the program must answer at once and show
// its main window alone; its GDI and USER objects, counted once it has warmed
// up and again at the end, must not grow.
#include "driver.h"
#include "guiobjects.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

namespace e2e {
namespace {

constexpr int defaultSeed = 20241107;
constexpr int defaultActions = 3000;
constexpr int defaultSeconds = 110;
constexpr int warmUpShare = 5;     // the first fifth of the walk warms up
constexpr int measureEvery = 100;  // gestures
constexpr long gdiTolerance = 8;
constexpr long userTolerance = 2;
constexpr unsigned long long memoryTolerance = 64ull << 20;  // one page image leaked is 11 MiB

int setting(const wchar_t* name, int fallback) {
    const std::wstring value = environmentValue(name);
    return value.empty() ? fallback : std::stoi(value);
}

// A walk through the program. It keeps what the program must show: the
// mouse modes, whether there is a page, whether a cell is selected, which
// work files it saved; what the program does otherwise fails the test.
class Walk {
public:
    Walk(const Program& program, std::uint32_t seed, const ScratchFolder& folder)
        : program_(program), random_(seed), folder_(folder) {
        writeBytes(folder_ / L"corto.ZANOR", std::string(447, '\x01'));
    }
    int actions() const { return actions_; }
    // One gesture, from the main window back to it.
    void step();

private:
    int pick(int count) { return static_cast<int>(random_() % static_cast<std::uint32_t>(count)); }
    bool chance(int percent) { return pick(100) < percent; }
    void acted(int count = 1) { actions_ += count; }
    void command(int id);
    HWND await(const std::wstring& caption);
    void press(HWND dialog, int id);
    void close(HWND dialog, int id);
    void answer(int button, const wchar_t* expected = nullptr);
    bool chooserFrom(const std::function<void()>& open);
    HWND fileDialog(int id);
    void chooseIn(HWND dialog, const std::wstring& name);
    std::wstring anyText();
    int anyDay();

    void click();
    void scroll();
    void mouseMode();
    void editCell();
    void rightClick();
    void favouritesDialog();
    void editCommand(int id);
    void newPage();
    void save();
    void open();
    void photocopy();
    void about();

    const Program& program_;
    std::mt19937 random_;
    const ScratchFolder& folder_;
    int actions_ = 0;
    bool editing_ = false;     // left button: "Editar Texto y Colores"
    bool favourites_ = false;  // right button: "Colores Favoritos"
    bool page_ = false;
    bool selected_ = false;
    bool pastable_ = false;  // a "Copiar" with a selection has been made
    bool saved_[3] = {};
};

void Walk::step() {
    using Gesture = void (Walk::*)();
    // Cheap gestures often, dialogs now and then.
    static const Gesture gestures[] = {
        &Walk::click,   &Walk::click,     &Walk::click,    &Walk::click,    &Walk::scroll,     &Walk::scroll,
        &Walk::scroll,  &Walk::mouseMode, &Walk::editCell, &Walk::editCell, &Walk::rightClick, &Walk::rightClick,
        &Walk::newPage, &Walk::save,      &Walk::open,     &Walk::about,    &Walk::photocopy,
    };
    const int which = pick(static_cast<int>(std::size(gestures)) + 3);
    if (which >= static_cast<int>(std::size(gestures))) {
        static const int edits[] = {commandCopy, commandPaste, commandDelete};
        return editCommand(edits[which - static_cast<int>(std::size(gestures))]);
    }
    (this->*gestures[which])();
}

void Walk::command(int id) {
    program_.command(id);
    acted();
}

HWND Walk::await(const std::wstring& caption) {
    HWND window = program_.waitFor(caption);
    if (!window)
        ADD_FAILURE() << "no \"" << std::string(caption.begin(), caption.end()) << "\": " << program_.describe();
    return window;
}

void Walk::press(HWND dialog, int id) {
    e2e::press(dialog, id);
    acted();
}

void Walk::close(HWND dialog, int id) {
    press(dialog, id);
    EXPECT_TRUE(program_.waitUntilGone(dialog)) << program_.describe();
}

void Walk::answer(int button, const wchar_t* expected) {
    const Message message = program_.answer(button);
    acted();
    if (expected) {
        EXPECT_EQ(message.text, expected);
    }
}

// Opens a colour chooser and chooses a colour in it, or cancels it; true
// when a colour was chosen.
bool Walk::chooserFrom(const std::function<void()>& open) {
    open();
    acted();
    HWND chooser = program_.waitFor(isColourChooser);
    if (!chooser) {
        ADD_FAILURE() << "no colour chooser: " << program_.describe();
        return false;
    }
    const bool chosen = chance(70);
    if (chosen) {
        chooseColour(chooser, RGB(pick(256), pick(256), pick(256)));
        acted(4);
    } else {
        cancelDialog(chooser);
        acted();
    }
    EXPECT_TRUE(program_.waitUntilGone(chooser)) << program_.describe();
    return chosen;
}

HWND Walk::fileDialog(int id) {
    command(id);
    HWND dialog = program_.waitFor(isFileDialog);
    if (!dialog) ADD_FAILURE() << "no file dialog: " << program_.describe();
    return dialog;
}

void Walk::chooseIn(HWND dialog, const std::wstring& name) {
    chooseFile(dialog, folder_ / name);
    acted(2);
    EXPECT_TRUE(program_.waitUntilGone(dialog)) << program_.describe();
}

std::wstring Walk::anyText() {
    static const std::wstring letters =
        L"abcdefghijklmnopqrstuvwxyz ABC\u00f1\u00e1\u00e9\u00ed\u00f3\u00fa\u00bf\u00a1 0123.,";
    std::wstring text;
    const int length = chance(20) ? pick(320) : pick(40);
    for (int i = 0; i < length; ++i)
        text += chance(3)
                    ? std::wstring(L"\r\n")
                    : std::wstring(1, letters[static_cast<std::size_t>(pick(static_cast<int>(letters.size())))]);
    return text;
}

// A day that every month has; mostly one that shows without scrolling far.
int Walk::anyDay() {
    if (chance(60)) return 1 + pick(6);
    return chance(50) ? 26 + pick(3) : 7 + pick(19);
}

void Walk::click() {
    if (!page_ || chance(15)) {
        // Right of the last column: no cell there, in either mode.
        program_.click(992 + pick(6), pick(574));
        return acted();
    }
    if (editing_) return editCell();
    program_.clickCell(1 + pick(4), anyDay());
    acted();
    // The selector selects a cell when none is, and clears any selection.
    selected_ = !selected_;
}

void Walk::scroll() {
    static const int keys[] = {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_END, VK_HOME, VK_MULTIPLY, VK_LEFT};
    if (chance(30)) {
        program_.wheel(chance(50) ? 1 : -1);
    } else {
        program_.key(keys[pick(8)]);
    }
    acted();
}

void Walk::mouseMode() {
    static const int modes[] = {commandSelector, commandEditCell, commandCaptureColour, commandFavouriteColours};
    const int mode = modes[pick(4)];
    command(mode);
    if (mode == commandSelector || mode == commandEditCell) {
        editing_ = mode == commandEditCell;
    } else {
        favourites_ = mode == commandFavouriteColours;
    }
}

void Walk::editCell() {
    if (!page_) return;
    if (!editing_) command(commandEditCell);
    editing_ = true;
    program_.clickCell(1 + pick(4), anyDay());
    acted();
    HWND dialog = await(textDialogCaption);
    if (!dialog) return;
    static const int styles[] = {textDialog::bold,       textDialog::italic,      textDialog::underline,
                                 textDialog::strikeout,  textDialog::leading,     textDialog::alignLeft,
                                 textDialog::alignRight, textDialog::alignCentre, textDialog::alignJustified};
    for (int n = pick(7); n > 0; --n) {
        switch (pick(6)) {
            case 0:
                typeText(dialog, textDialog::text, anyText());
                acted();
                break;
            case 1:
                pickItem(dialog, textDialog::fontList, pick(itemCount(dialog, textDialog::fontList)));
                acted();
                break;
            case 2:
                pickItem(dialog, textDialog::sizeList, pick(65));
                acted();
                break;
            case 3:
                press(dialog, styles[pick(9)]);
                break;
            case 4:
                chooserFrom(
                    [&] { e2e::press(dialog, chance(50) ? textDialog::backChooser : textDialog::inkChooser); });
                break;
            default:
                mouseClick(GetDlgItem(dialog, chance(50) ? textDialog::backSwatch : textDialog::inkSwatch), 9, 9);
                acted();
                break;
        }
    }
    close(dialog, chance(75) ? textDialog::accept : textDialog::cancel);
}

void Walk::rightClick() {
    program_.click(pick(998), pick(574), true);
    acted();
    if (favourites_) return favouritesDialog();
    HWND captured = await(capturedCaption);
    if (!captured) return;
    const std::wstring value = windowText(GetDlgItem(captured, captured::value));
    EXPECT_TRUE(value.size() == 11 && value.rfind(L"&&H00", 0) == 0)
        << "the captured colour reads " << std::string(value.begin(), value.end());
    close(captured, captured::accept);
}

void Walk::favouritesDialog() {
    HWND dialog = await(favouritesCaption);
    if (!dialog) return;
    HWND palette = GetDlgItem(dialog, favourites::palette);
    bool modified = false;
    for (int n = pick(6); n > 0; --n) {
        const int x = pick(336), y = pick(260);
        switch (pick(6)) {
            case 0:
                PostMessageW(palette, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
                acted();
                break;
            case 1:
                mouseClick(palette, x, y, true);
                acted();
                break;
            case 2:
                // A swatch's colour, defined in the chooser.
                if (x / favourites::slotSize < 13 && y / favourites::slotSize < 10)
                    modified |= chooserFrom([&] { mouseClick(palette, x, y); });
                break;
            case 3:
                // "Archivar" can be pressed only after a change.
                if (!modified) break;
                press(dialog, favourites::archive);
                answer(IDOK, L"Mis Colores Favoritos han sido Archivados");
                modified = false;
                break;
            default:
                press(dialog, favourites::reset);
                answer(chance(50) ? IDYES : IDNO);
                break;
        }
    }
    press(dialog, favourites::leave);
    if (modified) answer(chance(50) ? IDYES : IDNO, L"Desea guardar los cambios antes de Salir ?");
    EXPECT_TRUE(program_.waitUntilGone(dialog)) << program_.describe();
}

void Walk::editCommand(int id) {
    // Greyed items cannot be chosen.
    if (!page_ || (id == commandPaste && !pastable_)) return;
    command(id);
    if (!selected_) return answer(IDOK);
    pastable_ = pastable_ || id == commandCopy;
    selected_ = false;
}

void Walk::newPage() {
    static const int choosers[] = {newPage::lineChooser, newPage::weekdayChooser, newPage::sundayChooser};
    static const int swatches[] = {newPage::lineSwatch, newPage::weekdaySwatch, newPage::sundaySwatch};
    command(commandNew);
    HWND dialog = await(newPageCaption);
    if (!dialog) return;
    bool month = false, year = false;
    for (int n = pick(5); n > 0; --n) {
        switch (pick(4)) {
            case 0:
                pickItem(dialog, newPage::monthList, pick(12));
                month = true;
                acted();
                break;
            case 1:
                pickItem(dialog, newPage::yearList, pick(89));
                year = true;
                acted();
                break;
            case 2:
                chooserFrom([&] { e2e::press(dialog, choosers[pick(3)]); });
                break;
            default:
                mouseClick(GetDlgItem(dialog, swatches[pick(3)]), 5, 5);
                acted();
                break;
        }
    }
    // "Cancelar" gives the page back as it was.
    if (chance(20)) return close(dialog, newPage::cancel);
    if (!page_ && !(month && year)) {
        // Without a month and a year "Aceptar" is refused.
        press(dialog, newPage::accept);
        answer(IDOK, L"Elige mes y a\u00f1o ..");
        pickItem(dialog, newPage::monthList, pick(12));
        pickItem(dialog, newPage::yearList, pick(89));
        acted(2);
    }
    close(dialog, newPage::accept);
    page_ = true;
    selected_ = false;
}

void Walk::save() {
    if (!page_) return;
    HWND dialog = fileDialog(commandSave);
    if (!dialog) return;
    if (chance(15)) return close(dialog, IDCANCEL);
    const int file = pick(3);
    chooseIn(dialog, L"paseo " + std::to_wstring(file) + L".ZANOR");
    if (saved_[file]) answer(chance(70) ? IDYES : IDNO, L"Fichero Existe ...\r\nSobrescribir ?");
    saved_[file] = true;
}

void Walk::open() {
    HWND dialog = fileDialog(commandOpen);
    if (!dialog) return;
    const int file = pick(4);
    if (file < 3 && saved_[file]) {
        chooseIn(dialog, L"paseo " + std::to_wstring(file) + L".ZANOR");
        page_ = true;
        selected_ = false;
    } else if (chance(50)) {
        // A file of the wrong length is refused and changes nothing.
        chooseIn(dialog, L"corto.ZANOR");
        answer(IDOK);
    } else {
        close(dialog, IDCANCEL);
    }
}

void Walk::photocopy() {
    if (!page_) return about();
    command(commandExport);
    HWND dialog = await(exportCaption);
    if (!dialog) return;
    if (chance(30)) return close(dialog, IDCANCEL);
    chooseIn(dialog, L"paseo " + std::to_wstring(pick(2)) + L".bmp");
}

void Walk::about() {
    command(commandAbout);
    HWND dialog = await(aboutCaption);
    if (!dialog) return;
    // The menu stays usable, and a second "Autor" meanwhile does nothing.
    if (chance(30)) command(commandAbout);
    close(dialog, about::leave);
}

TEST(Soak, ARandomWalkOfUserActionsLeavesTheProgramResponsiveAndLeaksNoGuiObjects) {
    const auto seed = static_cast<std::uint32_t>(setting(L"ZANOR_SOAK_SEED", defaultSeed));
    const int limit = setting(L"ZANOR_SOAK_ACTIONS", defaultActions);
    const auto seconds = static_cast<ULONGLONG>(setting(L"ZANOR_SOAK_SECONDS", defaultSeconds));
    std::printf("soak: seed %u (ZANOR_SOAK_SEED), at most %d actions in %llu s\n", seed, limit, seconds);
    std::fflush(stdout);

    const std::wstring favourites = Program::folder() + L"\\Mis Colores.log";
    DeleteFileW(favourites.c_str());
    Program program;
    ASSERT_NE(program.window(), nullptr) << program.describe();
    {
        // The counts see the program's own objects: its About dialog adds
        // fonts and windows while it is open.
        const GuiObjects before = countGuiObjects(program.process());
        program.command(commandAbout);
        HWND about = program.waitFor(aboutCaption);
        ASSERT_NE(about, nullptr) << program.describe();
        const GuiObjects open = countGuiObjects(program.process());
        press(about, about::leave);
        ASSERT_TRUE(program.waitUntilGone(about));
        EXPECT_GT(open.gdi, before.gdi) << before.describe() << " / " << open.describe();
        EXPECT_GT(open.user, before.user) << before.describe() << " / " << open.describe();
    }
    ScratchFolder folder(L"paseo");
    Walk walk(program, seed, folder);
    const ULONGLONG started = GetTickCount64();
    auto elapsed = [&] { return GetTickCount64() - started; };
    GuiObjects warm, last;
    int gestures = 0;
    while (walk.actions() < limit && elapsed() < seconds * 1000) {
        walk.step();
        ++gestures;
        ASSERT_FALSE(::testing::Test::HasFailure()) << "gesture " << gestures << ", action " << walk.actions();
        ASSERT_TRUE(program.responsive()) << "gesture " << gestures << ": " << program.describe();
        ASSERT_EQ(program.windows(), std::vector<HWND>{program.window()})
            << "gesture " << gestures << " left " << program.describe();
        if (gestures % measureEvery != 0) continue;
        ASSERT_TRUE(program.settle());
        last = countGuiObjects(program.process());
        ASSERT_TRUE(last.counted());
        const bool warmedUp = walk.actions() * warmUpShare >= limit || elapsed() * warmUpShare >= seconds * 1000;
        if (!warm.counted() && warmedUp) warm = last;
    }
    ASSERT_TRUE(program.settle());
    last = countGuiObjects(program.process());
    std::printf("soak: %d actions in %d gestures, %.1f s; warmed up: %s; at the end: %s\n", walk.actions(), gestures,
                static_cast<double>(elapsed()) / 1000.0, warm.describe().c_str(), last.describe().c_str());
    ASSERT_TRUE(warm.counted()) << "the walk ended before it had warmed up";
    EXPECT_LE(last.gdi, warm.gdi + gdiTolerance);
    EXPECT_LE(last.user, warm.user + userTolerance);
    EXPECT_LE(last.memory, warm.memory + memoryTolerance);
    EXPECT_TRUE(program.close());
    DeleteFileW(favourites.c_str());
}

}  // namespace
}  // namespace e2e
