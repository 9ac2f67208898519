// The clock window's canvas: an XImage whose rows are the pixels the face is drawn into, in a
// shared-memory segment (MIT-SHM) so that showing them is a copy inside the X server; over a
// remote connection, without the extension, or when the server cannot attach the segment (a
// container that shares the X socket but not the IPC namespace), a plain image sent with
// XPutImage. The window's
// visual is 24-bit TrueColor with 32-bit pixels laid out as 0x00RRGGBB, the canvas's own format.
// Present puts only the changed rectangle; drawing waits until the server has finished reading
// the shared image (its XShmCompletion) before it changes the pixels again.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "seam/Image.h"
#include "x11/XErrors.h"
#include "x11/XHeaders.h"

namespace tavrino::x11 {

class ShmCanvas final : public Canvas {
  public:
    ShmCanvas(Display* display, XErrors& errors);
    ShmCanvas(const ShmCanvas&) = delete;
    ShmCanvas& operator=(const ShmCanvas&) = delete;
    ~ShmCanvas() override;

    // The window that shows the canvas; the pixels go until the next Resize.
    void ShowIn(XWindow window, Visual* visual, int depth);
    // A new, black image when the size changes; none for an empty size.
    void Resize(int width, int height);
    // Puts the canvas's part of area again (the window was exposed).
    void Repaint(const PixelRect& area) { Put(area); }
    // Whether the event was the server's word that it has read the shared image.
    bool OnEvent(const XEvent& event);
    bool UsesSharedMemory() const { return segment_ != nullptr; }

    ImageBuffer Pixels() override;
    void Present(const PixelRect& changed) override;

  private:
    struct ImageDestroyer {
        void operator()(XImage* image) const;
    };
    struct SharedSegment;
    struct SegmentDetacher {
        void operator()(SharedSegment* segment) const;
    };

    void Release();
    bool CreateShared(int width, int height);
    void CreatePlain(int width, int height);
    void Put(const PixelRect& area);
    void WaitForCompletion();

    Display* display_;
    XErrors& errors_;
    XWindow window_ = 0;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    GC gc_ = nullptr;
    bool sharedMemoryUsable_ = false;
    int completionEvent_ = 0;
    std::unique_ptr<SharedSegment, SegmentDetacher> segment_;
    std::vector<std::uint32_t> plainPixels_;
    std::unique_ptr<XImage, ImageDestroyer> image_;
    bool putPending_ = false;
};

}  // namespace tavrino::x11
