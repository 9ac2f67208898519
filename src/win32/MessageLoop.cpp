#include "win32/MessageLoop.h"

namespace tavrino::win32 {

int MessageLoop::Run() {
    MSG message{};
    for (;;) {
        dialogs_.ReleaseClosed();
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            return static_cast<int>(message.wParam);
        }
        Dispatch(message);
    }
}

void MessageLoop::RunPending() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void MessageLoop::Dispatch(MSG& message) {
    if (dialogs_.PreTranslate(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace tavrino::win32
