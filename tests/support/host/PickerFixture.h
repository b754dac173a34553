// Runs the picker's WinMain on the stand-in, in a fresh current directory,
// with the dialog's three controls; the session callback plays the user.
#pragma once

#include "FakeTest.h"
#include "PickerDialog.h"
#include "resource.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

class PickerTest : public FakeTest {
  protected:
    void SetUp() override {
        FakeTest::SetUp();
        char pattern[] = "/tmp/picker-test-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        directory = pattern;
        ASSERT_NE(nullptr, getcwd(previousDirectory, sizeof previousDirectory));
        ASSERT_EQ(0, chdir(directory.c_str()));
        fake::SetDialogControls({{IDOK, "Button", "\xe9\x96\x8b\xe5\xa7\x8b"},
                                 {IDC_HEXCODE, "Static", ""},
                                 {IDC_SWATCH, "Static", "  "}});
        fake::AddIconResource(module, IDI_APP, appIcon);
        g_red = g_green = g_blue = 0;
        g_swatch = 0;
    }
    void TearDown() override {
        EXPECT_EQ(0, chdir(previousDirectory));
        std::remove((directory + "/hwnd.dat").c_str());
        rmdir(directory.c_str());
        delete g_dialog;
        g_dialog = 0;
        FakeTest::TearDown();
    }

    // Runs the picker to its end; the exit code.
    int RunPicker(std::function<void(HWND)> session) {
        fake::SetDialogSession([this, session](HWND shown) {
            dialog = shown;
            session(shown);
        });
        return WinMain(module, 0, const_cast<LPSTR>(""), 1);
    }

    static INT_PTR Deliver(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return PickerDialogProc(window, message, wParam, lParam);
    }

    fake::WindowState& Control(int id) {
        static fake::WindowState missing;
        fake::WindowState* control = fake::FindChild(dialog, id);
        return control ? *control : missing;
    }

    std::string HandleFileContent() {
        std::ifstream file("hwnd.dat", std::ios::binary);
        std::stringstream content;
        content << file.rdbuf();
        return file ? content.str() : "<missing>";
    }

    // The screen point under client point (x, y) once the dialog sits at (0, 0).
    POINT ScreenPointOf(int x, int y) {
        fake::WindowState* state = fake::FindWindowState(dialog);
        return POINT{state->rect.left + state->clientOffset.x + x,
                     state->rect.top + state->clientOffset.y + y};
    }

    std::string directory;
    char previousDirectory[4096];
    HINSTANCE module = reinterpret_cast<HINSTANCE>(0x400000);
    HICON appIcon = reinterpret_cast<HICON>(0x1CA0);
    HWND dialog = 0;
};
