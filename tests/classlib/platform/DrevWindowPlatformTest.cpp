// Window objects on a real dialog-class window, on the stand-in and on Win32.
#include "DrevWindow.h"

#include <gtest/gtest.h>

namespace {

class WindowObjectsPlatform : public ::testing::Test {
  protected:
    void SetUp() override {
        window = CreateWindowExA(0, "#32770", "test dialog", WS_POPUP, 40, 50, 120, 90, 0, 0, 0, 0);
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override {
        if (window) {
            DestroyWindow(window);
        }
    }
    HWND window = 0;
};

TEST_F(WindowObjectsPlatform, MoveToPlacesTopLeftCornerAndKeepsSize) {
    RECT before;
    ASSERT_TRUE(GetWindowRect(window, &before));
    DrevDialog dialog(window);
    EXPECT_EQ(1, dialog.MoveTo(0, 0));
    RECT after;
    ASSERT_TRUE(GetWindowRect(window, &after));
    EXPECT_EQ(0, after.left);
    EXPECT_EQ(0, after.top);
    EXPECT_EQ(before.right - before.left, after.right - after.left);
    EXPECT_EQ(before.bottom - before.top, after.bottom - after.top);
}

TEST_F(WindowObjectsPlatform, MoveToReportsZeroForAWindowThatIsGone) {
    DestroyWindow(window);
    HWND gone = window;
    window = 0;
    EXPECT_EQ(0, MoveWindowTo(gone, 0, 0));
}

TEST_F(WindowObjectsPlatform, SetClassIconUsesTheLowWordOfTheIdentifier) {
    // A window of no module of its own: its icons come from the system's.
    ASSERT_EQ(nullptr, GetWindowInstance(window));
    HICON expected = LoadIconA(0, IDI_APPLICATION);
    ASSERT_NE(nullptr, expected);
    DrevDialog dialog(window);
    dialog.SetClassIcon(0x70000 | 32512);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(expected), GetClassLongPointer(window, GCLP_HICON));
}

TEST_F(WindowObjectsPlatform, DeletingTheObjectLeavesTheWindowAlone) {
    DrevWindowBase* object = new DrevDialog(window);
    EXPECT_EQ(window, object->hwnd);
    delete object;
    EXPECT_TRUE(IsWindow(window));
}

} // namespace
