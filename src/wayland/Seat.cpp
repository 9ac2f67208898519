#include "wayland/Seat.h"

#include "posix/UniqueDescriptor.h"

namespace tavrino::wayland {

// The events the clock has no use for are listened to all the same: libwayland calls every
// entry of the bound version.
const wl_seat_listener Seat::kSeatListener{&Seat::OnCapabilities,
                                           [](void*, wl_seat*, const char*) {}};
const wl_keyboard_listener Seat::kKeyboardListener{
    &Seat::OnKeymap,        &Seat::OnKeyboardEnter,
    &Seat::OnKeyboardLeave, &Seat::OnKey,
    &Seat::OnModifiers,     [](void*, wl_keyboard*, std::int32_t, std::int32_t) {}};
const wl_pointer_listener Seat::kPointerListener{
    &Seat::OnPointerEnter,
    &Seat::OnPointerLeave,
    &Seat::OnMotion,
    &Seat::OnButton,
    [](void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {},
    [](void*, wl_pointer*) {},
    [](void*, wl_pointer*, std::uint32_t) {},
    [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
    [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
    [](void*, wl_pointer*, std::uint32_t, std::int32_t) {}};

Seat::Seat(wl_seat* seat, SeatHandlers handlers) : seat_(seat), handlers_(std::move(handlers)) {
    if (seat_ != nullptr) {
        wl_seat_add_listener(seat_, &kSeatListener, this);
    }
}

void Seat::OnCapabilities(void* data, wl_seat* /*seat*/, std::uint32_t capabilities) {
    static_cast<Seat*>(data)->FollowCapabilities(capabilities);
}

void Seat::FollowCapabilities(std::uint32_t capabilities) {
    const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    if (keyboard && !wlKeyboard_) {
        wlKeyboard_.reset(wl_seat_get_keyboard(seat_));
        wl_keyboard_add_listener(wlKeyboard_.get(), &kKeyboardListener, this);
    } else if (!keyboard && wlKeyboard_) {
        wlKeyboard_.reset();
        keyboardOnOurs_ = false;
    }
    const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (pointer && !pointer_) {
        pointer_.reset(wl_seat_get_pointer(seat_));
        wl_pointer_add_listener(pointer_.get(), &kPointerListener, this);
    } else if (!pointer && pointer_) {
        pointer_.reset();
        pointerSurface_ = nullptr;
    }
}

void Seat::OnKeymap(void* data, wl_keyboard* /*keyboard*/, std::uint32_t format, std::int32_t fd,
                    std::uint32_t size) {
    auto& self = *static_cast<Seat*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
        self.keyboard_.SetKeymap(fd, size);
    } else {
        posix::UniqueDescriptor unused(fd);
    }
}

void Seat::OnKeyboardEnter(void* data, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
                           wl_surface* surface, wl_array* /*keysDown*/) {
    auto& self = *static_cast<Seat*>(data);
    self.keyboardOnOurs_ = surface != nullptr && self.handlers_.ours(surface);
}

// A surface the clock has destroyed itself comes as null: that is no other client's doing.
void Seat::OnKeyboardLeave(void* data, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
                           wl_surface* surface) {
    auto& self = *static_cast<Seat*>(data);
    self.keyboardOnOurs_ = false;
    if (surface != nullptr && self.handlers_.ours(surface)) {
        self.handlers_.keyboardLeft();
    }
}

void Seat::OnKey(void* data, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
                 std::uint32_t /*time*/, std::uint32_t key, std::uint32_t state) {
    auto& self = *static_cast<Seat*>(data);
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED) {
        return;
    }
    if (const std::optional<KeyPress> press = self.keyboard_.Press(key)) {
        self.handlers_.key(*press);
    }
}

void Seat::OnModifiers(void* data, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
                       std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                       std::uint32_t group) {
    static_cast<Seat*>(data)->keyboard_.SetModifiers(depressed, latched, locked, group);
}

void Seat::OnPointerEnter(void* data, wl_pointer* /*pointer*/, std::uint32_t serial,
                          wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    auto& self = *static_cast<Seat*>(data);
    self.pointerSurface_ = surface != nullptr && self.handlers_.ours(surface) ? surface : nullptr;
    if (self.pointerSurface_ != nullptr) {
        self.enterSerial_ = serial;
        self.RefreshCursor();
        self.handlers_.pointerMoved(surface, wl_fixed_to_double(x), wl_fixed_to_double(y));
    }
}

void Seat::RefreshCursor() {
    if (pointerSurface_ == nullptr || !pointer_) {
        return;
    }
    if (handlers_.setCursor) {
        handlers_.setCursor(pointer_.get(), enterSerial_);
    } else {
        wl_pointer_set_cursor(pointer_.get(), enterSerial_, nullptr, 0, 0);
    }
}

void Seat::OnPointerLeave(void* data, wl_pointer* /*pointer*/, std::uint32_t /*serial*/,
                          wl_surface* /*surface*/) {
    static_cast<Seat*>(data)->pointerSurface_ = nullptr;
}

void Seat::OnMotion(void* data, wl_pointer* /*pointer*/, std::uint32_t /*time*/, wl_fixed_t x,
                    wl_fixed_t y) {
    auto& self = *static_cast<Seat*>(data);
    if (self.pointerSurface_ != nullptr) {
        self.handlers_.pointerMoved(self.pointerSurface_, wl_fixed_to_double(x),
                                    wl_fixed_to_double(y));
    }
}

void Seat::OnButton(void* data, wl_pointer* /*pointer*/, std::uint32_t /*serial*/,
                    std::uint32_t /*time*/, std::uint32_t button, std::uint32_t state) {
    auto& self = *static_cast<Seat*>(data);
    if (self.pointerSurface_ != nullptr) {
        self.handlers_.button(button, state == WL_POINTER_BUTTON_STATE_PRESSED);
    }
}

}  // namespace tavrino::wayland
