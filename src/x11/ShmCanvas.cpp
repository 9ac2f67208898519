#include "x11/ShmCanvas.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>

#include "x11/Connection.h"

namespace tavrino::x11 {

namespace {

constexpr int kBitsPerPixel = 32;

// The predicate of XIfEvent: the completion of a put into this window.
Bool IsCompletionOf(Display* /*display*/, XEvent* event, XPointer canvas) {
    return reinterpret_cast<ShmCanvas*>(canvas)->OnEvent(*event) ? True : False;
}

}  // namespace

struct ShmCanvas::SharedSegment {
    Display* display = nullptr;
    XShmSegmentInfo info{};
};

void ShmCanvas::SegmentDetacher::operator()(SharedSegment* segment) const {
    XShmDetach(segment->display, &segment->info);
    shmdt(segment->info.shmaddr);
    std::default_delete<SharedSegment>()(segment);
}

// The pixels belong to the segment or the vector, never to Xlib.
void ShmCanvas::ImageDestroyer::operator()(XImage* image) const {
    image->data = nullptr;
    XDestroyImage(image);
}

ShmCanvas::ShmCanvas(Display* display, XErrors& errors) : display_(display), errors_(errors) {
    // Shared memory works only when the server runs on this machine, and in the client's byte
    // order, since the server reads the pixels as they are.
    const bool littleEndianServer = XImageByteOrder(display) == LSBFirst;
    sharedMemoryUsable_ =
        XShmQueryExtension(display) == True && IsLocalDisplay(display) && littleEndianServer;
    completionEvent_ = XShmGetEventBase(display) + ShmCompletion;
}

ShmCanvas::~ShmCanvas() {
    Release();
    if (gc_ != nullptr) {
        XFreeGC(display_, gc_);
    }
}

void ShmCanvas::ShowIn(XWindow window, Visual* visual, int depth) {
    Release();
    if (gc_ != nullptr) {
        XFreeGC(display_, gc_);
        gc_ = nullptr;
    }
    window_ = window;
    visual_ = visual;
    depth_ = depth;
    if (window != 0) {
        gc_ = XCreateGC(display_, window, 0, nullptr);
    }
}

void ShmCanvas::Resize(int width, int height) {
    if (image_ && image_->width == width && image_->height == height) {
        return;
    }
    Release();
    if (width <= 0 || height <= 0 || visual_ == nullptr) {
        return;
    }
    if (!sharedMemoryUsable_ || !CreateShared(width, height)) {
        CreatePlain(width, height);
    }
}

void ShmCanvas::Release() {
    WaitForCompletion();
    image_.reset();
    segment_.reset();
    plainPixels_ = {};
}

// A new segment is all zeros, which is black. It is marked for removal as soon as the server has
// attached it, so that it goes with the process however that ends. The server answers an attach
// it cannot make (it sees another IPC namespace) only later, with an error: the attach is waited
// for, and once refused shared memory is not tried again.
bool ShmCanvas::CreateShared(int width, int height) {
    auto segment = std::make_unique<SharedSegment>();
    segment->display = display_;
    std::unique_ptr<XImage, ImageDestroyer> image(XShmCreateImage(
        display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr, &segment->info,
        static_cast<unsigned>(width), static_cast<unsigned>(height)));
    if (!image || image->bits_per_pixel != kBitsPerPixel) {
        return false;
    }
    const auto bytes =
        static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(height);
    segment->info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment->info.shmid < 0) {
        return false;
    }
    segment->info.shmaddr = static_cast<char*>(shmat(segment->info.shmid, nullptr, 0));
    if (segment->info.shmaddr == reinterpret_cast<char*>(-1)) {
        shmctl(segment->info.shmid, IPC_RMID, nullptr);
        return false;
    }
    bool requested = false;
    const bool attached = errors_.Succeed([&] {
        requested = XShmAttach(display_, &segment->info) == True;
    }) && requested;
    shmctl(segment->info.shmid, IPC_RMID, nullptr);
    if (!attached) {
        shmdt(segment->info.shmaddr);
        sharedMemoryUsable_ = false;  // nor would it see the next segment
        return false;
    }
    image->data = segment->info.shmaddr;
    segment_.reset(segment.release());
    image_ = std::move(image);
    return true;
}

void ShmCanvas::CreatePlain(int width, int height) {
    plainPixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    image_.reset(XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0,
                              reinterpret_cast<char*>(plainPixels_.data()),
                              static_cast<unsigned>(width), static_cast<unsigned>(height),
                              kBitsPerPixel, width * 4));
    if (!image_ || image_->bits_per_pixel != kBitsPerPixel) {
        image_.reset();
        plainPixels_ = {};
        return;
    }
    // The pixels are in this machine's order; Xlib swaps them for a server of the other.
    image_->byte_order = LSBFirst;
}

bool ShmCanvas::OnEvent(const XEvent& event) {
    if (event.type != completionEvent_ ||
        reinterpret_cast<const XShmCompletionEvent&>(event).drawable != window_) {
        return false;
    }
    putPending_ = false;
    return true;
}

// Once the server has handled every request sent, its completion is in the queue, or never comes
// because the window is gone: either way the pixels are free again.
void ShmCanvas::WaitForCompletion() {
    if (!putPending_) {
        return;
    }
    XSync(display_, False);
    XEvent event{};
    XCheckIfEvent(display_, &event, &IsCompletionOf, reinterpret_cast<XPointer>(this));
    putPending_ = false;
}

ImageBuffer ShmCanvas::Pixels() {
    if (!image_) {
        return {};
    }
    WaitForCompletion();
    return {image_->width, image_->height, image_->bytes_per_line / 4,
            reinterpret_cast<std::uint32_t*>(image_->data)};
}

void ShmCanvas::Present(const PixelRect& changed) {
    Put(changed);
}

void ShmCanvas::Put(const PixelRect& area) {
    if (!image_ || gc_ == nullptr) {
        return;
    }
    const int left = std::max(area.left, 0);
    const int top = std::max(area.top, 0);
    const int right = std::min(area.right, image_->width);
    const int bottom = std::min(area.bottom, image_->height);
    if (left >= right || top >= bottom) {
        return;
    }
    const auto width = static_cast<unsigned>(right - left);
    const auto height = static_cast<unsigned>(bottom - top);
    if (segment_) {
        XShmPutImage(display_, window_, gc_, image_.get(), left, top, left, top, width, height,
                     True);
        putPending_ = true;
    } else {
        XPutImage(display_, window_, gc_, image_.get(), left, top, left, top, width, height);
    }
    XFlush(display_);
}

}  // namespace tavrino::x11
