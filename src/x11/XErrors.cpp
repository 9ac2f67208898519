#include "x11/XErrors.h"

#include <cstdio>
#include <cstdlib>

namespace tavrino::x11 {

namespace {

// Marks the entry as ours among the display's extension data; the XErrors is not the display's
// to free.
int LeaveToOwner(XExtData* /*entry*/) {
    return 0;
}

XExtData** ExtensionDataOf(Display* display) {
    XEDataObject object{};
    object.display = display;
    return XEHeadOfExtensionList(object);
}

XErrors* ErrorsOf(Display* display) {
    for (XExtData* entry = *ExtensionDataOf(display); entry != nullptr; entry = entry->next) {
        if (entry->free_private == &LeaveToOwner && entry->private_data != nullptr) {
            return reinterpret_cast<XErrors*>(entry->private_data);
        }
    }
    return nullptr;
}

}  // namespace

// A failed request leaves things as they were; the event that explains it (a DestroyNotify of the
// hack's window) comes on its own.
int ReportUnexpectedError(Display* display, XErrorEvent* error) {
    XErrors* errors = ErrorsOf(display);
    if (errors != nullptr && errors->Expects(*error)) {
        return 0;
    }
    char text[128] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "tavrino: X error: %s (request %d)\n", text, error->request_code);
    return 0;
}

// Xlib frees its extension data with free() as the display closes, so the entry comes from
// calloc(); the number XAddExtension gives keeps it apart from other libraries' entries.
XErrors::XErrors(Display* display) : display_(display) {
    const XExtCodes* codes = XAddExtension(display);
    entry_ = static_cast<XExtData*>(
        std::calloc(1, sizeof(XExtData)));  // NOLINT(cppcoreguidelines-no-malloc): Xlib frees it
    if (codes == nullptr || entry_ == nullptr) {
        std::free(entry_);  // NOLINT(cppcoreguidelines-no-malloc): as it came
        entry_ = nullptr;
        return;
    }
    entry_->number = codes->extension;
    entry_->free_private = &LeaveToOwner;
    entry_->private_data = reinterpret_cast<XPointer>(this);
    XAddToExtensionList(ExtensionDataOf(display), entry_);
}

// The entry stays on the display's list until it closes, pointing nowhere.
XErrors::~XErrors() {
    if (entry_ != nullptr) {
        entry_->private_data = nullptr;
    }
}

void XErrors::ExpectVanishing(XWindow window) {
    vanishing_.insert(window);
}

bool XErrors::Succeed(const std::function<void()>& makeRequests) {
    trap_ = Trap{XNextRequest(display_), false};
    makeRequests();
    XSync(display_, False);
    const bool failed = trap_->failed;
    trap_.reset();
    return !failed;
}

bool XErrors::Expects(const XErrorEvent& error) {
    if (trap_ && error.serial >= trap_->firstRequest) {
        trap_->failed = true;
        return true;
    }
    const bool aboutWindow = error.error_code == BadWindow || error.error_code == BadDrawable;
    return aboutWindow && vanishing_.count(error.resourceid) > 0;
}

}  // namespace tavrino::x11
