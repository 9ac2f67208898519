#include "platform/win32/PictureWindow.h"

#include <cmath>

#include "platform/win32/WindowClass.h"

namespace tavrino::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TavrinoPicture";
// Where the box sits before the first layout, in twips.
constexpr float kDesignLeft = 60;
constexpr float kDesignTop = 60;
constexpr float kDesignSize = 525;

int Pixels(float twips, float twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace

PictureWindow::PictureWindow(HINSTANCE instance, HWND parent, HCURSOR cursor, float twipsPerPixelX,
                             float twipsPerPixelY)
    : twipsPerPixelX_(twipsPerPixelX), twipsPerPixelY_(twipsPerPixelY) {
    surface_.SetPresenter([this](const PixmapView& image) { Present(image); });
    RegisterWindowClass(instance, {kClassName, &Procedure, cursor, nullptr});
    window_.Reset(CreateWindowExW(
        0, kClassName, L"", WS_CHILD | WS_VISIBLE, Pixels(kDesignLeft, twipsPerPixelX),
        Pixels(kDesignTop, twipsPerPixelY), Pixels(kDesignSize, twipsPerPixelX),
        Pixels(kDesignSize, twipsPerPixelY), parent, nullptr, instance, this));
}

float PictureWindow::Left() const {
    return static_cast<float>(Bounds().left) * twipsPerPixelX_;
}

float PictureWindow::Top() const {
    return static_cast<float>(Bounds().top) * twipsPerPixelY_;
}

float PictureWindow::Width() const {
    const RECT r = Bounds();
    return static_cast<float>(r.right - r.left) * twipsPerPixelX_;
}

float PictureWindow::Height() const {
    const RECT r = Bounds();
    return static_cast<float>(r.bottom - r.top) * twipsPerPixelY_;
}

void PictureWindow::SetLeft(float twips) {
    RECT r = Bounds();
    const LONG width = r.right - r.left;
    r.left = Pixels(twips, twipsPerPixelX_);
    r.right = r.left + width;
    SetBounds(r);
}

void PictureWindow::SetTop(float twips) {
    RECT r = Bounds();
    const LONG height = r.bottom - r.top;
    r.top = Pixels(twips, twipsPerPixelY_);
    r.bottom = r.top + height;
    SetBounds(r);
}

void PictureWindow::SetWidth(float twips) {
    RECT r = Bounds();
    r.right = r.left + Pixels(twips, twipsPerPixelX_);
    SetBounds(r);
}

void PictureWindow::SetHeight(float twips) {
    RECT r = Bounds();
    r.bottom = r.top + Pixels(twips, twipsPerPixelY_);
    SetBounds(r);
}

RECT PictureWindow::Bounds() const {
    RECT r{};
    GetWindowRect(window_.Get(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_.Get()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void PictureWindow::SetBounds(const RECT& bounds) {
    SetWindowPos(window_.Get(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK PictureWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PictureWindow* self = ObjectOf<PictureWindow>(window, message, lParam);
    return self != nullptr ? self->OnMessage(window, message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PictureWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_PAINT:
            OnPaint(window);
            return 0;
        case WM_SIZE:
            OnSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void PictureWindow::OnPaint(HWND window) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    if (shown_.Width() < client.right || shown_.Height() < client.bottom) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    shown_.Draw(dc, 0, 0);
    EndPaint(window, &paint);
}

// The surface always has the box's size; resizing it leaves it blank until the next drawing.
void PictureWindow::OnSize(int width, int height) {
    surface_.Resize(width, height);
}

void PictureWindow::Present(const PixmapView& image) {
    shown_.Assign(image);
    if (window_) {
        InvalidateRect(window_.Get(), nullptr, FALSE);
    }
}

}  // namespace tavrino::win32
