// Pic1, the picture box over frmMain's client area: a child window whose retained image is the
// clock face's raster surface. A Refresh of the surface copies its image into the window's DIB
// section and invalidates the window; WM_PAINT shows the DIB section. The box takes no input of
// its own: it is transparent to hit testing, so pointer input over it reaches frmMain, which
// also keeps the keyboard focus.
#pragma once

#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/DibSection.h"
#include "platform/win32/Handles.h"
#include "surface/RasterSurface.h"

namespace tavrino::win32 {

class PictureWindow final : public PictureBox {
  public:
    PictureWindow(HINSTANCE instance, HWND parent, HCURSOR cursor, float twipsPerPixelX,
                  float twipsPerPixelY);
    PictureWindow(const PictureWindow&) = delete;
    PictureWindow& operator=(const PictureWindow&) = delete;
    ~PictureWindow() override = default;

    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;

    Surface& DrawingSurface() override { return surface_; }

    HWND Window() const { return window_.Get(); }
    // What the window shows: the last image the surface presented.
    const DibSection& Shown() const { return shown_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint(HWND window);
    void OnSize(int width, int height);
    void Present(const PixmapView& image);

    // The rectangle in pixels within the parent's client area.
    RECT Bounds() const;
    void SetBounds(const RECT& bounds);

    float twipsPerPixelX_;
    float twipsPerPixelY_;
    RasterSurface surface_;
    DibSection shown_;
    UniqueWindow window_;  // last: it sends messages to the members above while it is created
};

}  // namespace tavrino::win32
