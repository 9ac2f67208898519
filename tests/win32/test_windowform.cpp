#include <gtest/gtest.h>

#include <windows.h>

#include "win32/WindowForm.h"

namespace tavrino::win32 {
namespace {

constexpr wchar_t kClassName[] = L"TavrinoWindowFormTest";

HWND CreateTestWindow(DWORD style, HWND parent) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    return CreateWindowExW(0, kClassName, L"", style, 10, 20, 300, 200, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// A form over a plain window, as frmMain and the dialog build theirs.
class TestForm final : public BasicWindowForm<Form> {
  public:
    TestForm(DWORD style, HWND parent = nullptr)
        : BasicWindowForm<Form>(15, 12), window_(CreateTestWindow(style, parent)) {
        Attach(window_.Get());
    }
    ~TestForm() override { Detach(); }
    HWND Window() const { return window_.Get(); }

  private:
    UniqueWindow window_;
};

TEST(WindowForm, GeometryRoundTripsInTwips) {
    TestForm form(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(form.Window(), nullptr);
    form.Move(100 * 15, 50 * 12, 320 * 15, 240 * 12);
    EXPECT_EQ(form.Left(), 1500);
    EXPECT_EQ(form.Top(), 600);
    EXPECT_EQ(form.Width(), 4800);
    EXPECT_EQ(form.Height(), 2880);
    RECT r{};
    GetWindowRect(form.Window(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 320);
    EXPECT_EQ(r.bottom - r.top, 240);

    // Each setter changes only its own value; twips round to the nearest pixel.
    form.SetLeft(200 * 15 + 8);
    form.SetHeight(100 * 12);
    EXPECT_EQ(form.Left(), 201 * 15);
    EXPECT_EQ(form.Top(), 600);
    EXPECT_EQ(form.Width(), 4800);
    EXPECT_EQ(form.Height(), 1200);
    form.SetTop(-20000.0f * 12);
    form.SetWidth(250 * 15);
    EXPECT_EQ(form.Top(), -20000.0f * 12);
    EXPECT_EQ(form.Left(), 201 * 15);
    EXPECT_EQ(form.Width(), 250 * 15);
}

TEST(WindowForm, ScaleSizeIsTheClientAreaAndGrowsWithoutBorder) {
    TestForm form(WS_OVERLAPPEDWINDOW);
    form.Move(0, 0, 300 * 15, 200 * 12);
    RECT client{};
    GetClientRect(form.Window(), &client);
    EXPECT_EQ(form.ScaleWidth(), static_cast<float>(client.right) * 15);
    EXPECT_EQ(form.ScaleHeight(), static_cast<float>(client.bottom) * 12);
    EXPECT_LT(form.ScaleWidth(), form.Width());
    EXPECT_LT(form.ScaleHeight(), form.Height());

    form.SetBorderStyleNone();
    const auto style = GetWindowLongPtrW(form.Window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_EQ(form.ScaleWidth(), form.Width());
    EXPECT_EQ(form.ScaleHeight(), form.Height());
}

TEST(WindowForm, ChildGeometryIsRelativeToTheParentsClientArea) {
    TestForm parent(WS_OVERLAPPEDWINDOW);
    parent.Move(150 * 15, 120 * 12, 400 * 15, 300 * 12);
    TestForm child(WS_CHILD | WS_VISIBLE, parent.Window());
    child.Move(30 * 15, 40 * 12, 50 * 15, 60 * 12);
    EXPECT_EQ(child.Left(), 30 * 15);
    EXPECT_EQ(child.Top(), 40 * 12);
    EXPECT_EQ(child.Width(), 50 * 15);
    EXPECT_EQ(child.Height(), 60 * 12);
}

TEST(WindowForm, StateOfAHiddenWindowWaitsForShow) {
    TestForm form(WS_OVERLAPPEDWINDOW);
    EXPECT_FALSE(form.Visible());
    form.SetWindowState(WindowState::Maximised);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(IsZoomed(form.Window()));
    EXPECT_EQ(form.GetWindowState(), WindowState::Maximised);

    form.Show();
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(IsZoomed(form.Window()));
    EXPECT_EQ(form.GetWindowState(), WindowState::Maximised);

    form.SetWindowState(WindowState::Normal);
    EXPECT_FALSE(IsZoomed(form.Window()));
    EXPECT_EQ(form.GetWindowState(), WindowState::Normal);
    form.SetWindowState(WindowState::Minimised);
    EXPECT_TRUE(IsIconic(form.Window()));
    EXPECT_EQ(form.GetWindowState(), WindowState::Minimised);

    form.Hide();
    EXPECT_FALSE(form.Visible());
}

TEST(WindowForm, CaptionIsUtf8AndHandleIsTheWindow) {
    TestForm form(WS_OVERLAPPEDWINDOW);
    form.SetCaption(" Tavrino - Einstellungen f\xC3\xBCr");
    wchar_t text[64]{};
    GetWindowTextW(form.Window(), text, 64);
    EXPECT_STREQ(text, L" Tavrino - Einstellungen f\u00FCr");
    EXPECT_EQ(form.Handle(), reinterpret_cast<WindowHandle>(form.Window()));
}

TEST(WindowForm, BackColourIsTheClassBrushUntilDetached) {
    HBRUSH original = nullptr;
    {
        TestForm form(WS_OVERLAPPEDWINDOW);
        original = reinterpret_cast<HBRUSH>(GetClassLongPtrW(form.Window(), GCLP_HBRBACKGROUND));
        form.SetBackColour(0x000000);
        form.SetBackColour(0x0000FF);
        const auto brush =
            reinterpret_cast<HBRUSH>(GetClassLongPtrW(form.Window(), GCLP_HBRBACKGROUND));
        LOGBRUSH info{};
        ASSERT_EQ(GetObjectW(brush, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.lbColor, 0x0000FFu);
    }
    TestForm next(WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrW(next.Window(), GCLP_HBRBACKGROUND)),
              original);
}

}  // namespace
}  // namespace tavrino::win32
