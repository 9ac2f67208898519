"""The end-to-end scenarios in order: (number, title, function of the context)."""

from . import desktop, dialog, faces, screensaver

ALL = [
    (1, "Fresh store, desktop clock: placement, styles, translucency, pixels",
     desktop.first_start),
    (2, "Esc closes and leaves a first run's store; Shift+Esc, Ctrl+Esc do not",
     desktop.closing),
    (3, "Dragging, position lock, minimum size, saved and off-screen rectangles",
     desktop.dragging_and_placement),
    (4, "F1 settings dialog: texts, on-top, taskbar, slider, Enter", dialog.f1_dialog),
    (5, "\"/s\" full-screen screensaver: pointer, keys, clicks, store", screensaver.full_screen),
    (6, "\"/p\" preview inside a host window; handles that end the program",
     screensaver.preview),
    (7, "\"/c\" configuration mode", dialog.configuration_mode),
    (8, "Blue and green digits per run mode", faces.digit_colours),
    (9, "Read-only settings key", desktop.read_only_store),
    (10, "The clock runs: 01:59:57 to 02:00:01", faces.running_clock),
    (11, "One \"/s\" at a time; another program taking the activation ends it",
     screensaver.one_at_a_time),
    (12, "\"/c:<window>\" from a host window; the \".scr\" alone shows the dialog",
     dialog.configuration_for_a_host),
    (13, "\"/p\" ends when its host's process is killed or the host hangs",
     screensaver.preview_host_lost),
]
