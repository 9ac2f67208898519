// The settings dialog program as a child process of the clock, talking over a socket that is its
// standard input and output. Starting it never fails as such: a program that cannot be started
// reads as one that ended at once, so the clock handles both the same way. So does one that says
// nothing for kFirstReportWait after its start (it always reports its window's place first): a
// program stuck before its window exists would otherwise keep a modal dialog open for good. The
// program gets the clock's environment, with the entries its frontend gives (NAME=value) in place
// of those of the same names.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "posix/ChildProcess.h"
#include "posix/UniqueDescriptor.h"
#include "posix/dialog/LineBuffer.h"

namespace tavrino::posix {

constexpr auto kFirstReportWait = std::chrono::seconds(5);

class DialogProcess {
  public:
    DialogProcess(const std::string& programPath, const std::vector<std::string>& environment);
    DialogProcess(const DialogProcess&) = delete;
    DialogProcess& operator=(const DialogProcess&) = delete;
    ~DialogProcess() { End(); }

    // What the event loop watches: readable when the program has written or ended, or its first
    // report is overdue; -1 once ended.
    int Channel() const { return readable_.IsOpen() ? readable_.Get() : -1; }
    // Sends one line. A program that does not take it is killed, so that its channel ends.
    void Send(std::string_view line);
    // Adds what has arrived to lines; false when the program's end is closed, or the program has
    // said nothing within kFirstReportWait.
    bool Receive(dialog::LineBuffer& lines);
    // Closes the channel, which ends the program; reaps it, killed if it has not ended within
    // a short grace.
    void End();

  private:
    // Puts the socket and the first report's deadline together in readable_.
    bool WatchSocketAndDeadline();
    bool FirstReportOverdue() const;
    void StopWaitingForFirstReport();

    UniqueDescriptor socket_;
    UniqueDescriptor firstReportDeadline_;  // a timer, until the program's first bytes
    UniqueDescriptor readable_;             // an epoll set of the two
    ChildProcess program_;
};

// The dialog program's path: tavrino-settings in the folder of the running executable.
std::string DialogProgramBesideExecutable();

}  // namespace tavrino::posix
