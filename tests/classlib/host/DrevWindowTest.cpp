// Window objects: the exact platform calls, destruction through every base,
// and the results they hand back, on the stand-in.
#include "DrevWindow.h"

#include "CallSequence.h"
#include "FakeTest.h"

#include <vector>

namespace {

class WindowObjects : public FakeTest {
  protected:
    void SetUp() override {
        FakeTest::SetUp();
        window = fake::CreateFakeWindow("#32770", "dialog", 0, 0, 0, module);
    }
    HINSTANCE module = reinterpret_cast<HINSTANCE>(0x400000);
    HWND window = 0;
};

TEST_F(WindowObjects, DialogStartsWithItsHandleAndTheStockWhiteBrush) {
    DrevDialog dialog(window);
    EXPECT_EQ(window, dialog.hwnd);
    EXPECT_EQ(window, dialog.dialog);
    EXPECT_EQ(nullptr, dialog.ownedWindow);
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), static_cast<HGDIOBJ>(dialog.brush));
    std::vector<fake::Call> stock = fake::CallsTo("GetStockObject");
    ASSERT_EQ(2u, stock.size());
    EXPECT_EQ(W(WHITE_BRUSH), stock[0].args[0]);
}

// Deleting through any of the four static types runs the whole chain once.
TEST_F(WindowObjects, DeleteThroughEveryBaseDeletesTheBrushOnceAndNoWindow) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    for (int base = 0; base < 4; ++base) {
        SCOPED_TRACE(::testing::Message() << "base " << base);
        DrevDialog* dialog = new DrevDialog(window);
        fake::ClearCalls();
        switch (base) {
        case 0:
            delete dialog;
            break;
        case 1:
            delete static_cast<DrevWindow*>(dialog);
            break;
        case 2:
            delete static_cast<DrevWindowBase*>(dialog);
            break;
        default:
            delete static_cast<DrevMixin*>(dialog);
            break;
        }
        EXPECT_TRUE(fake::CallsAre({{"DeleteObject", {white}}}));
        EXPECT_NE(nullptr, fake::FindWindowState(window)) << "the dialog window stays";
    }
}

TEST_F(WindowObjects, OwnedWindowIsDestroyedExactlyOnce) {
    HWND owned = fake::CreateFakeWindow("STATIC", "owned");
    DrevDialog* dialog = new DrevDialog(window);
    dialog->ownedWindow = owned;
    fake::ClearCalls();
    delete dialog;
    EXPECT_TRUE(fake::CallsAre({{"DestroyWindow", {owned}}, "DeleteObject"}));
    EXPECT_EQ(nullptr, fake::FindWindowState(owned));
}

TEST_F(WindowObjects, MoveToAsksForPositionOnlyAndFoldsTheResult) {
    struct Case {
        fake::Word platform;
        int expected;
    } cases[] = {{0, 0}, {1, 1}, {2, 1}, {static_cast<fake::Word>(-1), 1}};
    DrevDialog dialog(window);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "SetWindowPos gives " << c.platform);
        fake::ClearCalls();
        fake::ForceResult("SetWindowPos", c.platform, 1);
        EXPECT_EQ(c.expected, dialog.MoveTo(7, -3));
        EXPECT_TRUE(fake::CallsAre(
            {{"SetWindowPos", {window, 0, 7, -3, 0, 0, SWP_NOZORDER | SWP_NOSIZE}}}));
    }
}

TEST_F(WindowObjects, SetClassIconLoadsFromTheWindowsModuleByLowWord) {
    HICON icon = reinterpret_cast<HICON>(0x1CC0);
    fake::AddIconResource(module, 1, icon);
    DrevDialog dialog(window);
    fake::ClearCalls();
    dialog.SetClassIcon(0x30001);
    EXPECT_TRUE(fake::CallsAre({
        {"GetWindowLongPointer", {window, GWLP_HINSTANCE}},
        {"LoadIconA", {module, 1}},
        {"SetClassLongPointer", {window, GCLP_HICON, icon}},
    }));
    EXPECT_EQ(icon, fake::ClassIcon("#32770"));
}

TEST_F(WindowObjects, SetClassIconWithoutSuchIconInstallsNull) {
    fake::AddIconResource(module, 1, reinterpret_cast<HICON>(0x1CC0));
    DrevDialog dialog(window);
    dialog.SetClassIcon(1);
    dialog.SetClassIcon(9);
    EXPECT_EQ(nullptr, fake::ClassIcon("#32770"));
}

TEST_F(WindowObjects, OperationsHandBackThePlatformsResults) {
    DrevDialog dialog(window);
    fake::ForceResult("SetClassLongPointer", 0xABCD, 1);
    EXPECT_EQ(0xABCDu, dialog.SetClassIcon(1));
    fake::ForceResult("EndDialog", 0, 1);
    EXPECT_EQ(0, dialog.End(5));
    EXPECT_EQ(TRUE, dialog.End(6));
    std::vector<fake::Call> ends = fake::CallsTo("EndDialog");
    EXPECT_EQ((std::vector<fake::Word>{W(window), 6}), ends[1].args);
    fake::ForceResult("SendMessageA", 0x1234, 1);
    EXPECT_EQ(0x1234, dialog.Send(WM_USER + 9, 3, 4));
    EXPECT_EQ((std::vector<fake::Word>{W(window), WM_USER + 9, 3, 4}),
              fake::CallsTo("SendMessageA")[0].args);
}

DrevDialog* g_selfDeleting = 0;

INT_PTR DeletingProcedure(HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_USER + 1 && g_selfDeleting) {
        delete g_selfDeleting;
        g_selfDeleting = 0;
        return 77;
    }
    return 0;
}

TEST_F(WindowObjects, SendReturnsNormallyWhenTheMessageDeletesTheObject) {
    HWND target = fake::CreateFakeWindow("#32770", "", 0, 0, DeletingProcedure);
    g_selfDeleting = new DrevDialog(target);
    EXPECT_EQ(77, g_selfDeleting->Send(WM_USER + 1, 0, 0));
    EXPECT_EQ(nullptr, g_selfDeleting);
    EXPECT_EQ(1u, fake::CountCalls("DeleteObject"));
}

} // namespace
