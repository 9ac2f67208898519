// Everything the program asks of a frontend, in one place. A frontend implements
// these interfaces, hands them to the program, and reports back through the event interfaces
// that the program implements: ClockWindowEvents, SettingsDialogEvents and TickEvents. Tests
// hand the program a small fake instead.
#pragma once

#include "seam/ClockWindow.h"
#include "seam/Process.h"
#include "seam/Screen.h"
#include "seam/SettingsDialog.h"
#include "seam/SettingsStore.h"
#include "seam/Time.h"

namespace tavrino {

struct Frontend {
    ClockWindow& clockWindow;
    SettingsDialogs& settingsDialogs;
    Screen& screen;
    SettingsStore& store;
    TimeSource& time;
    Ticks& ticks;
    Process& process;
};

}  // namespace tavrino
