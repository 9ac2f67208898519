// The options in the settings store. "TaskBar", "OnTop" and "LockWindow" are shared by every run
// mode; "BlueNumbers", "Fading" and "Transparence" carry the run mode's key suffix, so the
// screensaver keeps its own; "AllMonitors", "Drift" and "Brightness" are the screensaver's alone,
// always with the suffix, and the desktop clock neither reads nor writes them. A box is stored as
// "0" or "1" (a greyed one as "1"), an amount as digits; an absent key, or a value that is no
// valid state, reads as the key's default. The screensaver's own boxes are switches: a number
// beyond 0 and 1 is brought to the nearer of them, as an amount is brought into its range.
#pragma once

#include "program/Options.h"
#include "program/RunMode.h"
#include "seam/SettingsStore.h"

namespace tavrino {

Options ReadOptions(SettingsStore& store, RunMode mode);

// Writes the run mode's keys in one write. A key the store refuses loses its value; the program has
// no other place for it.
void WriteOptions(SettingsStore& store, RunMode mode, const Options& options);

// Whether the desktop clock shows a taskbar button: only when the store says so. Unlike the
// taskbar box's own reading, an absent key or a text that is no number means no.
bool StoredTaskbarButton(SettingsStore& store);

}  // namespace tavrino
