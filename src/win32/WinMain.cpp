// tavrino.exe (and the same program as tavrino.scr): the desktop clock, or the screensaver when
// the screensaver host starts it with /s, /p <window> or /c.
#include <windows.h>

#include <commctrl.h>

#include "program/Program.h"
#include "surface/RasterSurface.h"
#include "win32/ProcessStart.h"
#include "win32/WindowsFrontend.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    tavrino::win32::WindowsFrontend frontend(instance);
    if (frontend.Clock().Handle() == nullptr) {
        MessageBoxW(nullptr, L"Tavrino: the clock window could not be created.", L"Tavrino",
                    MB_ICONERROR | MB_OK);
        return 1;
    }
    tavrino::RasterSurface faceSurface(frontend.Clock().FaceCanvas());
    tavrino::Program program(frontend.Parts(), faceSurface);
    frontend.Connect(program.ClockEvents(), program.TickEvents());
    program.Start(tavrino::win32::ProcessStartRequest());
    return frontend.RunMessageLoop();
}
