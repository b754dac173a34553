// Which windows the closer takes for a picker's dialog, on windows made by the
// test: on the host's stand-in and on Windows, so that the two agree.
#include "PickerWindow.h"

#include "PickerTexts.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace {

const WCHAR kDialogClass[] = {'#', '3', '2', '7', '7', '0', 0};
const WCHAR kStaticClass[] = {'S', 't', 'a', 't', 'i', 'c', 0};
const WCHAR kButtonClass[] = {'B', 'u', 't', 't', 'o', 'n', 0};
const WCHAR kCaptionWithSpace[] = {0x30B9, 0x30DD, 0x30A4, 0x30C8, ' ', 0};
const WCHAR kCaptionCut[] = {0x30B9, 0x30DD, 0x30A4, 0};
const WCHAR kCaptionLonger[] = {0x30B9, 0x30DD, 0x30A4, 0x30C8, 0x30C8, 0x30C8, 0x30C8, 0x30C8, 0};
// The caption's Shift JIS bytes, each taken as a character of its own.
const WCHAR kCaptionAsBytes[] = {0x83, 0x58, 0x83, 0x7C, 0x83, 0x43, 0x83, 0x67, 0};
const WCHAR kOtherCaption[] = {'N', 'o', 't', 'e', 's', 0};
const WCHAR kNoCaption[] = {0};

class PickerWindowPlatform : public ::testing::Test {
  protected:
    void TearDown() override {
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            if (IsWindow(*it)) {
                DestroyWindow(*it);
            }
        }
    }
    HWND Make(const WCHAR* className, const WCHAR* caption, DWORD style = WS_POPUP,
              HWND parent = 0) {
        HWND window =
            CreateWindowExW(0, className, caption, style, 10, 10, 120, 80, parent, 0, 0, 0);
        EXPECT_NE(nullptr, window) << "could not create a test window";
        made.push_back(window);
        return window;
    }
    std::vector<HWND> made;
};

TEST_F(PickerWindowPlatform, TakesOnlyATopLevelDialogWithThePickersCaption) {
    struct Case {
        const char* what;
        const WCHAR* className;
        const WCHAR* caption;
        bool expected;
    };
    const Case cases[] = {
        {"a picker's dialog", kDialogClass, kPickerCaption, true},
        {"a dialog with another caption", kDialogClass, kOtherCaption, false},
        {"a dialog without caption", kDialogClass, kNoCaption, false},
        {"a caption with a space after it", kDialogClass, kCaptionWithSpace, false},
        {"the caption's first three characters", kDialogClass, kCaptionCut, false},
        {"a caption that starts like the picker's", kDialogClass, kCaptionLonger, false},
        {"the caption's code page bytes", kDialogClass, kCaptionAsBytes, false},
        {"a static control's window", kStaticClass, kPickerCaption, false},
        {"a button's window", kButtonClass, kPickerCaption, false},
    };
    for (const Case& c : cases) {
        HWND window = Make(c.className, c.caption);
        EXPECT_EQ(c.expected, IsPickerDialog(window)) << c.what;
    }
}

TEST_F(PickerWindowPlatform, ChildDialogIsNotTaken) {
    HWND parent = Make(kDialogClass, kOtherCaption);
    HWND child = Make(kDialogClass, kPickerCaption, WS_CHILD, parent);
    EXPECT_FALSE(IsPickerDialog(child));
    EXPECT_FALSE(IsPickerDialog(parent));
}

TEST_F(PickerWindowPlatform, OwnedPopupDialogIsTopLevel) {
    HWND owner = Make(kDialogClass, kOtherCaption);
    HWND owned = Make(kDialogClass, kPickerCaption, WS_POPUP, owner);
    EXPECT_TRUE(IsPickerDialog(owned));
}

TEST_F(PickerWindowPlatform, NoWindowTheBroadcastHandleAndAGoneWindowAreNotTaken) {
    // A picker's dialog exists meanwhile, so that a broadcast would reach one.
    Make(kDialogClass, kPickerCaption);
    HWND gone = Make(kDialogClass, kPickerCaption);
    ASSERT_TRUE(DestroyWindow(gone));
    EXPECT_FALSE(IsPickerDialog(gone)) << "a window that no longer exists";
    EXPECT_FALSE(IsPickerDialog(0)) << "handle 0";
    EXPECT_FALSE(IsPickerDialog(HWND_BROADCAST)) << "the broadcast handle";
    EXPECT_FALSE(IsPickerDialog(GetDesktopWindow())) << "the desktop";
}

TEST_F(PickerWindowPlatform, HandleWrittenInThirtyTwoBitsNamesTheSameWindow) {
    HWND window = Make(kDialogClass, kPickerCaption);
    DWORD written = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(window));
    EXPECT_EQ(window, WindowFromHandleValue(written));
    EXPECT_TRUE(IsPickerDialog(WindowFromHandleValue(written)));
}

TEST(PickerWindowWidening, WidensWithTheSign) {
    struct Case {
        DWORD value;
        std::uintptr_t expected;
    };
#if UINTPTR_MAX > 0xFFFFFFFFu
    const Case cases[] = {
        {0, 0},
        {0x001F02A6, 0x001F02A6},
        {0xFFFF, 0xFFFF},
        {0x7FFFFFFF, 0x7FFFFFFF},
        {0x80000000u, 0xFFFFFFFF80000000u},
        {0xFFFF0010u, 0xFFFFFFFFFFFF0010u},
        {0xFFFFFFFFu, 0xFFFFFFFFFFFFFFFFu},
    };
#else
    const Case cases[] = {
        {0, 0},
        {0x001F02A6, 0x001F02A6},
        {0x80000000u, 0x80000000u},
        {0xFFFFFFFFu, 0xFFFFFFFFu},
    };
#endif
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, reinterpret_cast<std::uintptr_t>(WindowFromHandleValue(c.value)))
            << "value 0x" << std::hex << c.value;
    }
}

} // namespace
