// One run of the whole program over a fake frontend, for the tests that drive it from the start.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "program/CommandLine.h"
#include "program/Program.h"
#include "support/FakeFrontend.h"

namespace tavrino {

using Stored = std::map<std::string, std::string, std::less<>>;

constexpr HostWindowId kHost = 1234;

inline KeyPress Press(Key key, bool shift = false, bool control = false, bool alt = false) {
    return {key, shift, control, alt, false};
}

inline PointerMove Pointer(int x, int y, bool left = false) {
    return {x, y, left, false, false};
}

struct ProgramRun {
    explicit ProgramRun(std::string commandLine = "", Stored stored = {})
        : arguments(std::move(commandLine)) {
        fake.stored = std::move(stored);
        fake.clock.hostWindows[kHost] = {0, 0, 152, 112};
        fake.clock.events = &program.ClockEvents();
    }

    // Starts the run the arguments ask for, read as both frontends read the program's switches.
    void Start() { program.Start(ReadCommandLine(arguments, screensaverFile)); }
    ClockWindowEvents& Events() { return program.ClockEvents(); }
    void Key(Key key) { Events().OnKey(Press(key)); }
    // A move without a button to `from`, then with the left button to `to`.
    void Drag(PointerMove from, PointerMove to) {
        Events().OnPointerMove(from);
        to.left = true;
        Events().OnPointerMove(to);
    }
    FakeSettingsDialog& Dialog() { return *fake.dialog; }
    // From now on, notes the clock's translucency at every pass of pending events in `seen`
    // (-1 while never set), then runs `then` with the pass's number.
    void WatchTranslucency(std::function<void(int)> then = nullptr) {
        seen.clear();
        fake.onPendingEvents = [this, then = std::move(then)](int pass) {
            seen.push_back(fake.clock.translucency.value_or(-1));
            if (then) {
                then(pass);
            }
        };
    }

    std::string arguments;
    bool screensaverFile = false;  // started from the .scr
    FakeFrontend fake;
    FakeClockWindow& clock = fake.clock;
    Program program{fake.Seam(), fake.face};
    std::vector<int> seen;
};

// Amounts from..to in steps, both ends included when reached.
inline std::vector<int> Steps(int from, int to, int step) {
    std::vector<int> amounts;
    for (int a = from; step > 0 ? a <= to : a >= to; a += step) {
        amounts.push_back(a);
    }
    return amounts;
}

}  // namespace tavrino
