#include "wayland/Keyboard.h"

#include <sys/mman.h>

#include "posix/UniqueDescriptor.h"

namespace tavrino::wayland {

namespace {

// Wayland sends the kernel's key codes; XKB's are 8 higher.
constexpr std::uint32_t kXkbCodeOffset = 8;

Key KeyOf(xkb_keysym_t symbol) {
    switch (symbol) {
        case XKB_KEY_Escape:
            return Key::Escape;
        case XKB_KEY_F1:
            return Key::F1;
        case XKB_KEY_F4:
            return Key::F4;
        default:
            return Key::Other;
    }
}

}  // namespace

Keyboard::Keyboard() : context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {}

void Keyboard::SetKeymap(int descriptor, std::size_t size) {
    const posix::UniqueDescriptor file(descriptor);
    if (!context_ || size == 0) {
        return;
    }
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file.Get(), 0);
    if (text == MAP_FAILED) {
        return;
    }
    // The text ends in a NUL.
    xkb_keymap* keymap =
        xkb_keymap_new_from_string(context_.get(), static_cast<const char*>(text),
                                   XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (keymap == nullptr) {
        return;
    }
    keymap_.reset(keymap);
    state_.reset(xkb_state_new(keymap));
}

void Keyboard::SetModifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                            std::uint32_t group) {
    if (state_) {
        xkb_state_update_mask(state_.get(), depressed, latched, locked, 0, 0, group);
    }
}

bool Keyboard::Active(const char* modifier) const {
    return xkb_state_mod_name_is_active(state_.get(), modifier, XKB_STATE_MODS_EFFECTIVE) > 0;
}

std::optional<KeyPress> Keyboard::Press(std::uint32_t evdevCode) const {
    if (!state_) {
        return std::nullopt;
    }
    KeyPress press;
    press.key = KeyOf(xkb_state_key_get_one_sym(state_.get(), evdevCode + kXkbCodeOffset));
    press.shift = Active(XKB_MOD_NAME_SHIFT);
    press.control = Active(XKB_MOD_NAME_CTRL);
    press.alt = Active(XKB_MOD_NAME_ALT);
    return press;
}

}  // namespace tavrino::wayland
