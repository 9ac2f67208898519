// The keyboard's keymap and state through xkbcommon: the keymap the compositor sends (again when
// it changes), the modifiers it reports, and a pressed key read as the seam's KeyPress.
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "seam/ClockWindow.h"

namespace tavrino::wayland {

class Keyboard {
  public:
    Keyboard();

    // The keymap in the descriptor the compositor passed (XKB text, `size` bytes); the
    // descriptor is closed. An unreadable keymap keeps the one before.
    void SetKeymap(int descriptor, std::size_t size);
    void SetModifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                      std::uint32_t group);
    // The key as the seam names it; empty while there is no keymap.
    std::optional<KeyPress> Press(std::uint32_t evdevCode) const;

  private:
    struct ContextUnref {
        void operator()(xkb_context* context) const { xkb_context_unref(context); }
    };
    struct KeymapUnref {
        void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
    };
    struct StateUnref {
        void operator()(xkb_state* state) const { xkb_state_unref(state); }
    };

    bool Active(const char* modifier) const;

    std::unique_ptr<xkb_context, ContextUnref> context_;
    std::unique_ptr<xkb_keymap, KeymapUnref> keymap_;
    std::unique_ptr<xkb_state, StateUnref> state_;
};

}  // namespace tavrino::wayland
