// The canvas as the keys and the wheel scroll it: after each step the canvas
// is compared with the exported page shifted as far as the step must have
// moved it, white where the page is not.
#include "driver.h"
#include "expectations.h"

#include <gtest/gtest.h>

#include <vector>

namespace e2e {
namespace {

// One input: a key, or turns of the wheel (> 0 away from the user).
struct Input {
    int key;
    int turns;
};
constexpr Input key(int virtualKey) { return {virtualKey, 0}; }
constexpr Input wheel(int turns) { return {0, turns}; }

struct Step {
    const char* what;
    std::vector<Input> inputs;
    int offset;  // the page row that the canvas then shows at its top
};

TEST(Scrolling, TheKeysAndTheWheelMoveThePageOnTheCanvas) {
    Program program;
    ScratchFolder folder(L"desplazamiento");
    ASSERT_TRUE(makeNewPage(program, 1, 2025)) << program.describe();
    ASSERT_TRUE(startExport(program, folder / L"enero.bmp"));
    const BitmapFile page(waitForNewFile(folder / L"enero.bmp"));
    ASSERT_EQ(page.problem(), "");
    const Step steps[] = {
        {"Home", {key(VK_HOME)}, 0},
        {"three rows down", {key(VK_DOWN), key(VK_DOWN), key(VK_DOWN)}, 276},
        {"a page down", {key(VK_NEXT)}, 376},
        {"the wheel toward the user", {wheel(-1)}, 391},
        {"the wheel away, twice", {wheel(1), wheel(1)}, 361},
        {"a page up", {key(VK_PRIOR)}, 261},
        {"End, then Down once more and no further", {key(VK_END), key(VK_DOWN), key(VK_DOWN)}, 2380},
        {"Up at the top does nothing", {key(VK_HOME), key(VK_UP)}, 0},
        {"Up from a wheel step down goes past the top", {wheel(-1), key(VK_UP)}, -77},
        {"and no further", {key(VK_UP)}, -77},
        {"the keypad's star: today's row", {key(VK_MULTIPLY)}, homeOffset()},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        for (const Input& input : step.inputs) {
            if (input.turns) {
                program.wheel(input.turns);
            } else {
                program.key(input.key);
            }
        }
        ASSERT_TRUE(program.settle()) << program.describe();
        EXPECT_EQ(differencesFromPage(program.canvas(), page, step.offset), 0);
    }
    EXPECT_TRUE(program.close());
}

}  // namespace
}  // namespace e2e
