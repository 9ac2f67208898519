// The settings dialog program as a child process of the clock, talking over a socket that is its
// standard input and output. Starting it never fails as such: a program that cannot be started
// reads as one that ended at once, so the clock handles both the same way. The program gets the
// clock's environment, with the entries its frontend gives (NAME=value) in place of those of the
// same names.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

#include "posix/dialog/LineBuffer.h"

namespace tavrino::posix {

class DialogProcess {
  public:
    DialogProcess(const std::string& programPath, const std::vector<std::string>& environment);
    DialogProcess(const DialogProcess&) = delete;
    DialogProcess& operator=(const DialogProcess&) = delete;
    ~DialogProcess() { End(); }

    // The clock's end of the socket, for the event loop; -1 once ended.
    int Channel() const { return channel_; }
    // Sends one line. A program that does not take it is killed, so that its channel ends.
    void Send(std::string_view line);
    // Adds what has arrived to lines; false when the program's end is closed.
    bool Receive(dialog::LineBuffer& lines);
    // Closes the channel, which ends the program; reaps it, killed if it has not ended within
    // a short grace.
    void End();

  private:
    void Kill();

    int channel_ = -1;
    pid_t process_ = 0;
};

// The dialog program's path: tavrino-settings in the folder of the running executable.
std::string DialogProgramBesideExecutable();

}  // namespace tavrino::posix
