// The seat's keyboard and pointer, taken when the seat offers them (also later) and let go when
// it stops. Keys pressed, the keyboard leaving the clock's surfaces, buttons and pointer moves go
// to the owner's handlers; over the clock's surfaces the pointer is hidden (a null cursor on every
// enter) unless the owner sets a cursor of its own.
#pragma once

#include <wayland-client.h>

#include <functional>

#include "seam/ClockWindow.h"
#include "wayland/Keyboard.h"
#include "wayland/Proxy.h"

namespace tavrino::wayland {

struct SeatHandlers {
    std::function<bool(wl_surface*)> ours;  // whether the surface is one of the clock's
    std::function<void(const KeyPress&)> key;
    std::function<void()> keyboardLeft;  // the keyboard left one of the clock's surfaces
    // A button (its code in linux/input-event-codes.h) pressed or released over the clock.
    std::function<void(std::uint32_t button, bool pressed)> button;
    // Over a surface of the clock, in its logical units.
    std::function<void(wl_surface*, double x, double y)> pointerMoved;
    // Sets the cursor when the pointer enters one of the clock's surfaces; none hides it.
    std::function<void(wl_pointer*, std::uint32_t serial)> setCursor;
};

class Seat {
  public:
    // seat may be null: a compositor without one gives no input.
    Seat(wl_seat* seat, SeatHandlers handlers);
    Seat(const Seat&) = delete;
    Seat& operator=(const Seat&) = delete;

    bool KeyboardOnOurs() const { return keyboardOnOurs_; }
    // Sets the cursor again over the clock's surface the pointer is on, as the owner now wants it.
    void RefreshCursor();
    bool HasKeyboard() const { return wlKeyboard_ != nullptr; }

  private:
    static void OnCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities);
    static void OnKeymap(void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd,
                         std::uint32_t size);
    static void OnKeyboardEnter(void* data, wl_keyboard*, std::uint32_t, wl_surface* surface,
                                wl_array*);
    static void OnKeyboardLeave(void* data, wl_keyboard*, std::uint32_t, wl_surface* surface);
    static void OnKey(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
                      std::uint32_t state);
    static void OnModifiers(void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed,
                            std::uint32_t latched, std::uint32_t locked, std::uint32_t group);
    static void OnPointerEnter(void* data, wl_pointer*, std::uint32_t serial, wl_surface* surface,
                               wl_fixed_t x, wl_fixed_t y);
    static void OnPointerLeave(void* data, wl_pointer*, std::uint32_t, wl_surface*);
    static void OnMotion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y);
    static void OnButton(void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t,
                         std::uint32_t state);

    static const wl_seat_listener kSeatListener;
    static const wl_keyboard_listener kKeyboardListener;
    static const wl_pointer_listener kPointerListener;

    void FollowCapabilities(std::uint32_t capabilities);

    wl_seat* seat_;
    SeatHandlers handlers_;
    Keyboard keyboard_;
    Proxy<wl_keyboard> wlKeyboard_;
    Proxy<wl_pointer> pointer_;
    bool keyboardOnOurs_ = false;
    wl_surface* pointerSurface_ = nullptr;
    std::uint32_t enterSerial_ = 0;
};

}  // namespace tavrino::wayland
