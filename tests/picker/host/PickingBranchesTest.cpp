// Start, the pick, the three ways the dialog ends, and the dispose message.
#include "CallSequence.h"
#include "PickerFixture.h"

#include <vector>

namespace {

typedef std::vector<fake::Word> Args;

const WPARAM kKeysWithJunk = 0xABCD0000 | 0x0002; // high word must be ignored

class Picking : public PickerTest {
  protected:
    std::string Clipboard() {
        std::string text;
        return fake::ClipboardText(&text) ? text : "<none>";
    }
    // Position in the log of the first call to each name, for order checks.
    long At(const std::string& name) { return fake::FindCall(name); }
};

TEST_F(Picking, StartInjectsOneLeftPressThenCapturesWithTheCrossCursor) {
    RunPicker([&](HWND d) {
        fake::ClearCalls();
        for (int round = 1; round <= 2; ++round) {
            EXPECT_EQ(0, Deliver(d, WM_COMMAND, MAKELPARAM(IDOK, 0x1234)));
            ASSERT_EQ(static_cast<std::size_t>(round), fake::InjectedInputs().size());
            const INPUT& press = fake::InjectedInputs().back();
            EXPECT_EQ(static_cast<DWORD>(INPUT_MOUSE), press.type);
            EXPECT_EQ(0, press.mi.dx);
            EXPECT_EQ(0, press.mi.dy);
            EXPECT_EQ(0u, press.mi.mouseData);
            EXPECT_EQ(static_cast<DWORD>(MOUSEEVENTF_LEFTDOWN), press.mi.dwFlags);
            EXPECT_EQ(0u, press.mi.time);
            EXPECT_EQ(0u, press.mi.dwExtraInfo);
            EXPECT_EQ(d, fake::CurrentCapture());
            EXPECT_EQ(fake::SystemCursor(32515), fake::CurrentCursor());
        }
        const fake::ExpectedCall oneStart[] = {
            {"SendInput", {1, fake::ExpectedArg::Any(), sizeof(INPUT)}},
            {"SetCapture", {d}},
            {"LoadCursorA", {0, 32515}},
            {"SetCursor", {fake::SystemCursor(32515)}},
        };
        std::vector<fake::ExpectedCall> twoStarts(std::begin(oneStart), std::end(oneStart));
        twoStarts.insert(twoStarts.end(), std::begin(oneStart), std::end(oneStart));
        EXPECT_TRUE(fake::CallsAre(twoStarts));
        Deliver(d, WM_COMMAND, IDCANCEL);
    });
}

TEST_F(Picking, StartGoesOnWhenNothingCouldBeInjected) {
    RunPicker([&](HWND d) {
        fake::FailCall("SendInput");
        Deliver(d, WM_COMMAND, IDOK);
        EXPECT_EQ(d, fake::CurrentCapture());
        EXPECT_EQ(fake::SystemCursor(32515), fake::CurrentCursor());
        Deliver(d, WM_COMMAND, IDCANCEL);
    });
}

TEST_F(Picking, AcceptedPickPutsTheCodeOnTheClipboardThenEnds) {
    struct Case {
        COLORREF colour;
        const char* code;
    } cases[] = {{0x00FEFFFF, "FFFFFE"}, {0x00010000, "000001"}, {0x00FFC80A, "0AC8FF"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        fake::SetClipboardTextFromElsewhere("earlier");
        HWND object = 0;
        int exitCode = RunPicker([&](HWND d) {
            Deliver(d, WM_COMMAND, IDOK);
            POINT at = ScreenPointOf(-2, 200);
            fake::SetPixelColour(at.x, at.y, c.colour);
            object = g_dialog ? g_dialog->hwnd : 0;
            fake::ClearCalls();
            Deliver(d, WM_RBUTTONDOWN, kKeysWithJunk, MAKELPARAM(-2, 200));
            EXPECT_EQ(nullptr, g_dialog) << "dialog object deleted";
            EXPECT_EQ(d, fake::CurrentCapture()) << "capture kept until the window goes";
            EXPECT_EQ(fake::SystemCursor(32515), fake::CurrentCursor());
            EXPECT_EQ("", Control(IDC_HEXCODE).text) << "the label keeps the last move";
        });
        EXPECT_EQ(0, exitCode);
        EXPECT_EQ(c.code, Clipboard());
        EXPECT_EQ((std::vector<UINT>{CF_TEXT}), fake::ClipboardFormats());
        std::vector<fake::Call> allocs = fake::CallsTo("GlobalAlloc");
        ASSERT_EQ(3u, allocs.size());
        EXPECT_EQ((Args{GMEM_MOVEABLE | GMEM_ZEROINIT, 134}), allocs[2].args)
            << "string, its format, then the clipboard block";
        const fake::Block* block = fake::FindBlock(fake::ClipboardData(CF_TEXT));
        ASSERT_NE(nullptr, block);
        EXPECT_EQ(134u, block->size);
        for (std::size_t b = 6; b < block->size; ++b) {
            ASSERT_EQ(0, block->data[b]) << "zero to the end, byte " << b;
        }
        EXPECT_LT(At("SetClipboardData"), At("EndDialog")) << "clipboard before the end";
        EXPECT_EQ(W(object), fake::CallsTo("EndDialog")[0].args[0]);
        EXPECT_EQ(2u, fake::CallsTo("EndDialog")[0].args[1]) << "low word of wParam";
        EXPECT_LT(At("EndDialog"), At("DeleteObject"));
        EXPECT_EQ(0u, fake::CountCalls("ReleaseCapture"));
        EXPECT_EQ(0u, fake::CountCalls("SetCursor"));
        EXPECT_EQ(0u, fake::LiveBlockCount()) << "only the clipboard holds a block";
        EXPECT_EQ(0u, fake::InvalidHandleUses());
    }
}

TEST_F(Picking, WhiteBlackAndUnreadablePixelsAreRefusedWithoutATrace) {
    struct Case {
        COLORREF pixel;
        bool failRead;
    } cases[] = {{0x00FFFFFF, false}, {0x00000000, false}, {0x00123456, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "pixel " << std::hex << c.pixel << (c.failRead ? ", unreadable" : ""));
        fake::SetClipboardTextFromElsewhere("earlier");
        RunPicker([&](HWND d) {
            Deliver(d, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
            std::string label = Control(IDC_HEXCODE).text;
            int red = g_red;
            Deliver(d, WM_COMMAND, IDOK);
            POINT at = ScreenPointOf(50, 60);
            fake::SetPixelColour(at.x, at.y, c.pixel);
            if (c.failRead) {
                fake::FailCall("GetPixel", 1);
            }
            fake::ClearCalls();
            EXPECT_EQ(0, Deliver(d, WM_RBUTTONDOWN, 0, MAKELPARAM(50, 60)));
            for (const char* forbidden :
                 {"OpenClipboard", "EndDialog", "SetCursor", "ReleaseCapture", "SetCapture",
                  "SetWindowTextA", "MessageBoxA"}) {
                EXPECT_EQ(0u, fake::CountCalls(forbidden)) << forbidden;
            }
            EXPECT_NE(nullptr, g_dialog);
            EXPECT_EQ(d, fake::CurrentCapture());
            EXPECT_EQ(fake::SystemCursor(32515), fake::CurrentCursor());
            EXPECT_EQ(label, Control(IDC_HEXCODE).text);
            EXPECT_EQ(red, g_red);
            EXPECT_EQ(0u, fake::LiveDeviceContexts());
            EXPECT_EQ("earlier", Clipboard());
            // A later press on another colour picks.
            fake::SetPixelColour(at.x, at.y, 0x00808080);
            Deliver(d, WM_RBUTTONDOWN, 0, MAKELPARAM(50, 60));
            EXPECT_EQ(nullptr, g_dialog);
        });
        EXPECT_EQ("808080", Clipboard());
    }
}

TEST_F(Picking, PickSamplesTheScreenPointAcrossNegativeCoordinates) {
    RunPicker([&](HWND d) {
        // The user has dragged the dialog away from the corner.
        fake::FindWindowState(d)->rect = RECT{200, 150, 300, 230};
        POINT at = ScreenPointOf(-5, -10);
        fake::SetPixelColour(at.x, at.y, 0x00332211);
        Deliver(d, WM_RBUTTONDOWN, 0, MAKELPARAM(0xFFFB, 0xFFF6));
    });
    EXPECT_EQ("112233", Clipboard());
}

TEST_F(Picking, CancelReleaseAndEndsWithHashAfterTheDispose) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool resetsCursor;
        INT_PTR result;
    } cases[] = {
        {"cancel command", WM_COMMAND, MAKELPARAM(IDCANCEL, 0x77), true, IDCANCEL},
        {"left release", WM_LBUTTONUP, kKeysWithJunk, false, 2},
    };
    for (const Case& c : cases) {
        for (int picking = 0; picking < 2; ++picking) {
            SCOPED_TRACE(std::string(c.name) + (picking ? " while picking" : " before Start"));
            fake::SetClipboardTextFromElsewhere("earlier");
            RunPicker([&](HWND d) {
                if (picking) {
                    Deliver(d, WM_COMMAND, IDOK);
                }
                fake::ClearCalls();
                EXPECT_EQ(0, Deliver(d, c.message, c.wParam, MAKELPARAM(3, 3)));
                EXPECT_EQ(nullptr, g_dialog);
                EXPECT_EQ(nullptr, fake::CurrentCapture());
            });
            EXPECT_EQ("#", Clipboard());
            EXPECT_EQ((Args{GMEM_MOVEABLE | GMEM_ZEROINIT, 129}),
                      fake::CallsTo("GlobalAlloc")[0].args);
            std::vector<fake::Call> ends = fake::CallsTo("EndDialog");
            ASSERT_EQ(1u, ends.size());
            EXPECT_EQ(W(c.result), ends[0].args[1]);
            EXPECT_LT(At("ReleaseCapture"), At("EndDialog"));
            EXPECT_LT(At("EndDialog"), At("DeleteObject"));
            EXPECT_LT(At("DeleteObject"), At("SetClipboardData")) << "clipboard after dispose";
            if (c.resetsCursor) {
                EXPECT_EQ(fake::SystemCursor(32512), fake::CurrentCursor());
                EXPECT_LT(At("SetCursor"), At("ReleaseCapture"));
            } else {
                EXPECT_EQ(0u, fake::CountCalls("SetCursor"));
            }
            EXPECT_EQ(0u, fake::LiveBlockCount());
        }
    }
}

TEST_F(Picking, OtherCommandsAndButtonsDoNothing) {
    RunPicker([&](HWND d) {
        fake::ClearCalls();
        const UINT ignored[] = {WM_LBUTTONDOWN, WM_RBUTTONUP, 0x0203, 0x0206, WM_CLOSE, WM_NULL};
        for (UINT message : ignored) {
            EXPECT_EQ(0, Deliver(d, message, 1, 1)) << "message 0x" << std::hex << message;
        }
        EXPECT_EQ(0, Deliver(d, WM_COMMAND, IDC_HEXCODE));
        EXPECT_EQ(0, Deliver(d, WM_COMMAND, 0x10000 | IDC_SWATCH));
        EXPECT_TRUE(fake::CallsAre({}));
        Deliver(d, WM_COMMAND, IDCANCEL);
    });
}

TEST_F(Picking, SecondDisposeDoesNothing) {
    RunPicker([&](HWND d) {
        fake::ClearCalls();
        EXPECT_EQ(0, Deliver(d, WM_PICKER_DISPOSE));
        EXPECT_EQ(nullptr, g_dialog);
        EXPECT_EQ(1u, fake::CountCalls("DeleteObject"));
        EXPECT_EQ(0, Deliver(d, WM_PICKER_DISPOSE));
        EXPECT_EQ(1u, fake::CountCalls("DeleteObject"));
        EXPECT_EQ(0u, fake::CountCalls("DestroyWindow"));
        Deliver(d, WM_COMMAND, IDCANCEL);
    });
}

// Without a dialog object the branches still end the dialog, through its handle.
TEST_F(Picking, EndingWithoutADialogObjectStillEndsTheDialog) {
    struct Case {
        UINT message;
        WPARAM wParam;
        const char* clipboard;
    } cases[] = {
        {WM_COMMAND, IDCANCEL, "#"}, {WM_LBUTTONUP, 0, "#"}, {WM_RBUTTONDOWN, 0, "0AC8FF"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "message 0x" << std::hex << c.message);
        int exitCode = RunPicker([&](HWND d) {
            fake::SetScreenBackground(0x00FFC80A);
            Deliver(d, WM_PICKER_DISPOSE);
            fake::ClearCalls();
            Deliver(d, c.message, c.wParam, MAKELPARAM(2, 2));
            std::vector<fake::Call> ends = fake::CallsTo("EndDialog");
            ASSERT_EQ(1u, ends.size());
            EXPECT_EQ(W(d), ends[0].args[0]);
            EXPECT_EQ(0u, fake::CountCalls("SendMessageA"));
        });
        EXPECT_EQ(0, exitCode);
        EXPECT_EQ(c.clipboard, Clipboard());
    }
}

TEST_F(Picking, PickWithoutATextBufferIsRefused) {
    RunPicker([&](HWND d) {
        fake::SetScreenBackground(0x00FFC80A);
        fake::FailCall("GlobalAlloc", 2); // the string's and its format's blocks
        fake::SetClipboardTextFromElsewhere("earlier");
        Deliver(d, WM_RBUTTONDOWN, 0, MAKELPARAM(2, 2));
        EXPECT_NE(nullptr, g_dialog);
        EXPECT_EQ("earlier", Clipboard());
        Deliver(d, WM_COMMAND, IDCANCEL);
    });
}

TEST_F(Picking, AClipboardThatStaysBusyLosesTheTextButThePickerEnds) {
    fake::SetClipboardTextFromElsewhere("earlier");
    fake::SetClipboardBusy(-1);
    int exitCode = RunPicker([&](HWND d) {
        fake::SetScreenBackground(0x00FFC80A);
        Deliver(d, WM_RBUTTONDOWN, 0, MAKELPARAM(2, 2));
    });
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ("earlier", Clipboard());
    EXPECT_EQ(0u, fake::LiveBlockCount()) << "the refused block is freed";
}

} // namespace
