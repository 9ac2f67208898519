#!/usr/bin/env python3
"""Mutation run over the portable code: does the native test suite notice a small wrong edit?

Each mutation replaces one exact, unique piece of text in one source file, builds the linux
preset (only what depends on that file is rebuilt), runs the native tests and puts the file
back byte for byte, also when the run is interrupted. A mutation counts as caught when a test
fails; one that does not build is listed apart and counted neither way.

Usage: scripts/mutate.py [--list] [NUMBER ...]   (numbers pick mutations from the table below)
"""

import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# (file, text before, text after). The text before must occur exactly once in the file.
MUTATIONS = [
    # surface
    ("src/surface/DiscCoverage.cpp", "if (out.a >= radius_)", "if (out.a > radius_)"),
    ("src/surface/DiscCoverage.cpp", "last - first + 1", "last - first + 0"),
    ("src/surface/DiscCoverage.cpp", "line <= last", "line < last"),
    ("src/surface/DotMask.cpp", "masks_[i].key == key", "masks_[i].key != key"),
    ("src/surface/RasterSurface.cpp", "return i >= begin && i < end;", "return i > begin && i < end;"),
    ("src/surface/RasterSurface.cpp", "return v < r ? std::sqrt", "return v > r ? std::sqrt"),
    ("src/surface/RasterSurface.cpp", "end += static_cast<double>(end) < to ? 1 : 0;",
     "end += static_cast<double>(end) < to ? 0 : 0;"),
    ("src/surface/RasterSurface.cpp", "y < image.height;", "y < image.height - 1;"),
    ("src/surface/RasterSurface.cpp", "changed_.Width() <= 0 ||", "changed_.Width() < 0 ||"),
    ("src/surface/RasterSurface.cpp", "const double v1 = v0 + 1.0;", "const double v1 = v0 + 0.0;"),
    ("src/surface/RasterSurface.cpp", "i < innerFull.begin;", "i <= innerFull.begin;"),
    ("src/surface/RasterSurface.cpp", "if (covered == 0) {", "if (covered != 0) {"),
    ("src/surface/RasterSurface.cpp", "if (left >= right ||", "if (left > right ||"),
    ("src/surface/RasterSurface.cpp", "fillMode_ == FillMode::Solid}", "fillMode_ != FillMode::Solid}"),
    ("src/surface/RasterSurface.cpp", "j < bottom;", "j < bottom - 1;"),
    # clock face
    ("src/clockface/Tavrino.cpp", "kDotDivisor = 90.0f", "kDotDivisor = 91.0f"),
    ("src/clockface/Tavrino.cpp", "kDigitDivisor = 95.0f", "kDigitDivisor = 96.0f"),
    ("src/clockface/Tavrino.cpp", "kDigitPitch = 2.65", "kDigitPitch = 2.6"),
    ("src/clockface/Tavrino.cpp", "kRingDivisor = 2.325", "kRingDivisor = 2.3"),
    ("src/clockface/Tavrino.cpp", "if (dot.position > second)", "if (dot.position >= second)"),
    ("src/clockface/Tavrino.cpp", "kMarkerEvery == 0 ? kYellowPair", "kMarkerEvery != 0 ? kYellowPair"),
    ("src/clockface/Tavrino.cpp", "if (width == 0 && height == 0)", "if (width == 0 || height == 0)"),
    ("src/clockface/Tavrino.cpp", "Hour != LastHour || Minute", "Hour != LastHour && Minute"),
    ("src/clockface/Tavrino.cpp", "Redraw::Changed && Second == LastSecond",
     "Redraw::Changed && Second != LastSecond"),
    ("src/clockface/Tavrino.cpp", "wholeRingDue_ || Second == 0", "wholeRingDue_ || Second == 1"),
    ("src/clockface/Tavrino.cpp", "if (position % kMarkerEvery == 0) {",
     "if (position % kMarkerEvery != 0) {"),
    ("src/clockface/Tavrino.cpp", "RingColours(dot, shown) != RingColours",
     "RingColours(dot, shown) == RingColours"),
    ("src/clockface/Tavrino.cpp", "position > 3)", "position > 4)"),
    ("src/clockface/Tavrino.cpp", "6 * position - 12", "6 * position - 11"),
    ("src/clockface/Tavrino.cpp", "if (position > 1) {", "if (position > 2) {"),
    ("src/clockface/Tavrino.cpp", "& 1) != 0;", "& 1) == 0;"),
    ("src/clockface/TimeOverride.cpp", "tens > '9'", "tens > '8'"),
    ("src/clockface/TimeOverride.cpp", "if (value > limit)", "if (value >= limit)"),
    ("src/clockface/TimeOverride.cpp", "text.back() == '+'", "text.back() == '-'"),
    ("src/clockface/TimeOverride.cpp", "text[at + 1]", "text[at + 0]"),
    # program
    ("src/program/ClockController.cpp", "ended_ || stage_ == Stage::Loading",
     "ended_ || stage_ != Stage::Loading"),
    ("src/program/ClockController.cpp", "rect.Width() >= kMinimumWindowPixels",
     "rect.Width() > kMinimumWindowPixels"),
    ("src/program/ClockController.cpp", "AltOnly(key) && key.key == Key::F4",
     "!AltOnly(key) && key.key == Key::F4"),
    ("src/program/ClockController.cpp", "if (key.key == Key::Escape)", "if (key.key != Key::Escape)"),
    ("src/program/ClockController.cpp", "options_[CheckBox::LockPosition] != CheckState::Clear",
     "options_[CheckBox::LockPosition] == CheckState::Ticked"),
    ("src/program/ClockController.cpp", "stage_ != Stage::Loading && fades_",
     "stage_ == Stage::Loading && fades_"),
    ("src/program/ClockController.cpp", "kFadeInStep = 2", "kFadeInStep = 3"),
    ("src/program/ClockController.cpp", "kFadeOutStep = 8", "kFadeOutStep = 9"),
    ("src/program/ClockController.cpp", "fadeLevel_ >= last", "fadeLevel_ > last"),
    ("src/program/ClockFaces.cpp", "regions.size() < 2", "regions.size() < 1"),
    ("src/program/ClockStart.cpp", "&& !process.ClaimFullScreenSaver()",
     "&& process.ClaimFullScreenSaver()"),
    ("src/program/ClockStart.cpp", "options_[CheckBox::AlwaysOnTop] == CheckState::Ticked",
     "options_[CheckBox::AlwaysOnTop] != CheckState::Ticked"),
    ("src/program/ClockStart.cpp", "host == 0 ||", "host != 0 ||"),
    ("src/program/ClockStart.cpp", "options_[CheckBox::Fade] == CheckState::Ticked",
     "options_[CheckBox::Fade] != CheckState::Ticked"),
    ("src/program/ClockStart.cpp", "options_.translucency > 0 &&", "options_.translucency >= 0 &&"),
    ("src/program/CommandLine.cpp", "c <= 'z'", "c <= 'y'"),
    ("src/program/CommandLine.cpp", "find(switchText) != std::string_view::npos",
     "find(switchText) == std::string_view::npos"),
    ("src/program/CommandLine.cpp", "cmdLine.size() > 2 ?", "cmdLine.size() > 3 ?"),
    ("src/program/CommandLine.cpp", "if (at == std::string_view::npos)",
     "if (at != std::string_view::npos)"),
    ("src/program/Conversions.cpp", "c == '\\t' || c == '\\n'", "c == '\\t' || c == '\\t'"),
    ("src/program/Conversions.cpp", "c >= '0' && c <= '9'", "c >= '0' && c <= '8'"),
    ("src/program/Conversions.cpp", "exponent.front() == '-'", "exponent.front() == '+'"),
    ("src/program/Conversions.cpp", "return order > 0;", "return order >= 0;"),
    ("src/program/Conversions.cpp", "marker == 'E' || marker == 'e'", "marker == 'E' || marker == 'E'"),
    ("src/program/Conversions.cpp", "negative = scan.Peek() == '-';", "negative = scan.Peek() == '+';"),
    ("src/program/Conversions.cpp", "*state > 2", "*state > 1"),
    ("src/program/Conversions.cpp", "state == CheckState::Clear ? \"0\"", "state != CheckState::Clear ? \"0\""),
    ("src/program/MonitorLayout.cpp", "monitor.Width() > 0", "monitor.Width() >= 0"),
    ("src/program/MonitorLayout.cpp", "monitor) == shown.end()", "monitor) != shown.end()"),
    ("src/program/OptionsStore.cpp", "kDesktopAmount = 63", "kDesktopAmount = 62"),
    ("src/program/OptionsStore.cpp", "kScreensaverAmount = 31", "kScreensaverAmount = 30"),
    ("src/program/OptionsStore.cpp", "value_or(\"0\")) != 0", "value_or(\"0\")) == 0"),
    ("src/program/SettingsController.cpp", "kFrameLeft = 1980", "kFrameLeft = 1990"),
    ("src/program/SettingsController.cpp", "kTranslucencyStripPixels = 58", "kTranslucencyStripPixels = 59"),
    ("src/program/SettingsController.cpp", "if (options_.translucency == 0) {",
     "if (options_.translucency != 0) {"),
    ("src/program/SettingsController.cpp", "if (options_[box] == state) {", "if (options_[box] != state) {"),
    ("src/program/SettingsController.cpp", "ShowTaskbarButton(state == CheckState::Ticked)",
     "ShowTaskbarButton(state != CheckState::Ticked)"),
    ("src/program/SettingsController.cpp", "if (run_.mode != RunMode::Configuration) {",
     "if (run_.mode == RunMode::Configuration) {"),
    ("src/program/SettingsController.cpp", "options_.translucency == clamped",
     "options_.translucency != clamped"),
    ("src/program/SettingsController.cpp", "options_[box] == CheckState::Clear ? CheckState::Ticked",
     "options_[box] != CheckState::Clear ? CheckState::Ticked"),
    ("src/program/SettingsController.cpp", "centred_ || !dialog_->Visible()",
     "centred_ || dialog_->Visible()"),
    ("src/program/Twips.cpp", "kTwipsPerInch = 1440", "kTwipsPerInch = 1400"),
    ("src/program/Twips.cpp", "kUsualPixelsPerInch = 96", "kUsualPixelsPerInch = 72"),
    ("src/program/VersionText.cpp", "if (n > 0)", "if (n >= 0)"),
    ("src/program/VersionText.cpp", "revision <= 26", "revision <= 25"),
    ("src/program/VersionText.cpp", "'a' + revision - 1", "'a' + revision - 0"),
    ("src/program/VersionText.cpp", "revision >= 1000 &&", "revision > 1000 &&"),
    ("src/program/VersionText.cpp", "revision == 255 ||", "revision == 254 ||"),
    ("src/program/WindowPlacement.cpp", "rect.left < monitor.right", "rect.left <= monitor.right"),
    ("src/program/WindowPlacement.cpp", "rect.height > monitor.top", "rect.height >= monitor.top"),
    ("src/program/SettingsFile.cpp", "byte < 0x20 || byte == 0x7F", "byte < 0x1F || byte == 0x7F"),
    ("src/program/SettingsFile.cpp", "i == 0 || i + 1 == value.size()", "i == 0 || i == value.size()"),
    ("src/program/SettingsFile.cpp", "} else if (read.kind == LineKind::Value && inSection)",
     "} else if (read.kind == LineKind::Value)"),
    ("src/program/SettingsFile.cpp", "c >= 'a' && c <= 'f'", "c >= 'a' && c <= 'e'"),
    # the Linux frontends' shared layer
    ("src/posix/DaemonArguments.cpp", "value > kMaxId", "value >= kMaxId"),
    ("src/posix/DaemonArguments.cpp", "text.size() > 2 && text[0] == '0'",
     "text.size() > 3 && text[0] == '0'"),
    ("src/posix/DaemonArguments.cpp", "if (value == 0)", "if (value == 1)"),
]


class Interrupted(Exception):
    pass


def on_signal(signum, _frame):
    raise Interrupted(f"signal {signum}")


def run_quietly(command):
    return subprocess.run(command, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def locate(path, before):
    text = path.read_text()
    if text.count(before) != 1:
        sys.exit(f"mutate: '{before}' occurs {text.count(before)} times in {path}, not once")
    return text, text[: text.index(before)].count("\n") + 1


def try_mutation(number, file, before, after):
    path = ROOT / file
    original, line = locate(path, before)
    started = time.monotonic()
    try:
        path.write_text(original.replace(before, after))
        if run_quietly(["cmake", "--build", "--preset", "linux", "--", "-j2"]) != 0:
            outcome = "build failed"
        elif run_quietly(["ctest", "--preset", "linux", "--stop-on-failure", "--timeout", "120"]) != 0:
            outcome = "caught"
        else:
            outcome = "SURVIVED"
    finally:
        path.write_text(original)
    print(f"{number:3d} {outcome:12s} {file}:{line}  {before}  ->  {after}"
          f"  ({time.monotonic() - started:.0f} s)", flush=True)
    return outcome


def main(arguments):
    chosen = [int(a) for a in arguments if a != "--list"] or range(1, len(MUTATIONS) + 1)
    if "--list" in arguments:
        for number in chosen:
            file, before, after = MUTATIONS[number - 1]
            print(f"{number:3d} {file}:{locate(ROOT / file, before)[1]}  {before}  ->  {after}")
        return 0
    if run_quietly(["git", "diff", "--quiet", "--", "src"]) != 0:
        sys.exit("mutate: src has uncommitted changes; commit or stash them first")
    for file, before, _ in MUTATIONS:
        locate(ROOT / file, before)
    signal.signal(signal.SIGINT, on_signal)
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)
    if run_quietly(["cmake", "--preset", "linux"]) != 0 or run_quietly(
            ["cmake", "--build", "--preset", "linux", "--", "-j2"]) != 0:
        sys.exit("mutate: the unmutated tree does not build")
    outcomes = [try_mutation(n, *MUTATIONS[n - 1]) for n in chosen]
    run_quietly(["cmake", "--build", "--preset", "linux", "--", "-j2"])  # back to the real code
    built = [o for o in outcomes if o != "build failed"]
    caught = built.count("caught")
    print(f"{len(outcomes)} mutations, {len(outcomes) - len(built)} did not build, "
          f"{caught} of {len(built)} built caught ({100.0 * caught / max(len(built), 1):.1f} %)")
    return 0 if caught == len(built) else 1


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except Interrupted as reason:
        sys.exit(f"mutate: interrupted ({reason}); the source is restored")
