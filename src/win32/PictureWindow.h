// Pic1, the picture box over frmMain's client area: a child window whose retained image is the
// clock face's raster surface. A Refresh of the surface copies its image into the window's DIB
// section and invalidates the window; WM_PAINT shows the DIB section. The box takes no input of
// its own: it is transparent to hit testing, so pointer input over it reaches frmMain, which
// also keeps the keyboard focus.
#pragma once

#include <windows.h>

#include "seam/Platform.h"
#include "surface/RasterSurface.h"
#include "win32/DibSection.h"
#include "win32/Handles.h"
#include "win32/TwipsGeometry.h"

namespace tavrino::win32 {

class PictureWindow final : public PictureBox {
  public:
    PictureWindow(HINSTANCE instance, HWND parent, HCURSOR cursor, float twipsPerPixelX,
                  float twipsPerPixelY);
    PictureWindow(const PictureWindow&) = delete;
    PictureWindow& operator=(const PictureWindow&) = delete;
    ~PictureWindow() override = default;

    float Left() const override { return twips_.Left(window_.Get()); }
    float Top() const override { return twips_.Top(window_.Get()); }
    float Width() const override { return twips_.Width(window_.Get()); }
    float Height() const override { return twips_.Height(window_.Get()); }
    void SetLeft(float twips) override { twips_.SetLeft(window_.Get(), twips); }
    void SetTop(float twips) override { twips_.SetTop(window_.Get(), twips); }
    void SetWidth(float twips) override { twips_.SetWidth(window_.Get(), twips); }
    void SetHeight(float twips) override { twips_.SetHeight(window_.Get(), twips); }

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

    TwipsGeometry twips_;
    RasterSurface surface_;
    DibSection shown_;
    UniqueWindow window_;  // last: it sends messages to the members above while it is created
};

}  // namespace tavrino::win32
