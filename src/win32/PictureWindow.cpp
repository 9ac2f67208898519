#include "win32/PictureWindow.h"

#include "win32/WindowClass.h"

namespace tavrino::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TavrinoPicture";
// Where the box sits before the first layout, in twips.
constexpr float kDesignLeft = 60;
constexpr float kDesignTop = 60;
constexpr float kDesignSize = 525;

}  // namespace

PictureWindow::PictureWindow(HINSTANCE instance, HWND parent, HCURSOR cursor, float twipsPerPixelX,
                             float twipsPerPixelY)
    : twips_(twipsPerPixelX, twipsPerPixelY) {
    surface_.SetPresenter([this](const PixmapView& image) { Present(image); });
    RegisterWindowClass(instance, {kClassName, &Procedure, cursor, nullptr});
    window_.Reset(CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE,
                                  twips_.ToPixelsX(kDesignLeft), twips_.ToPixelsY(kDesignTop),
                                  twips_.ToPixelsX(kDesignSize), twips_.ToPixelsY(kDesignSize),
                                  parent, nullptr, instance, this));
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
