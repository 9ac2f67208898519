// What the two starts do alike: the settings a run uses (a display module reads the user's file
// and never writes it), the demonstration time's variable, and the program run over a frontend.
#pragma once

#include <optional>
#include <string>

#include "posix/FileSettingsStore.h"
#include "posix/ReadOnlySettingsStore.h"
#include "program/Program.h"
#include "program/StartRequest.h"
#include "surface/RasterSurface.h"

namespace tavrino {

std::optional<std::string> EnvironmentText(const char* name);

class StartSettings {
  public:
    StartSettings() = default;
    StartSettings(const StartSettings&) = delete;
    StartSettings& operator=(const StartSettings&) = delete;

    SettingsStore& For(bool module) {
        return module ? static_cast<SettingsStore&>(moduleSettings_) : userSettings_;
    }

  private:
    posix::FileSettingsStore userSettings_{posix::DefaultSettingsPath()};
    posix::ReadOnlySettingsStore moduleSettings_{userSettings_};
};

// Draws on the frontend's clock canvas, connects the program's events and runs until the
// program ends the process.
template <class Frontend>
int RunProgram(Frontend& frontend, const StartRequest& request) {
    RasterSurface faceSurface(frontend.Clock().FaceCanvas());
    Program program(frontend.Parts(), faceSurface);
    frontend.Connect(program.ClockEvents(), program.TickEvents());
    program.Start(request);
    frontend.Run();
    return 0;
}

}  // namespace tavrino
