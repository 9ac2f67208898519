"""The end-to-end scenarios in order: (number, title, function of the context)."""

from . import desktop, dialog, dpi, faces, installer, monitors, screensaver

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
    (11, "\"/s\" on two monitors of different sizes", monitors.two_monitors),
    (12, "The dialog at 144 pixels an inch: texts inside, the picture filling its box",
     dpi.dialog_at_150_percent),
    (13, "Silent install, the installed \"/s\", silent removal; the release zip",
     installer.install_and_remove),
    (14, "One \"/s\" at a time; another program taking the activation ends it",
     screensaver.one_at_a_time),
    (15, "\"/c:<window>\" from a host window; the \".scr\" alone shows the dialog",
     dialog.configuration_for_a_host),
    (16, "\"/p\" ends when its host's process is killed or the host hangs",
     screensaver.preview_host_lost),
    (17, "\"/c\" closed with Esc, the desktop clock started at once keeps running",
     dialog.clock_right_after_escape),
]
