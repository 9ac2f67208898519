// tavrino-settings: the settings dialog of the X11 clock, as a program of its own so that the
// clock never links GTK. The clock starts it with a socket as its standard input and output and
// sends one command a line, the first telling the resolution to lay the window out at; the
// program then makes its window and answers with reports, the first being where its window is. It
// ends when the clock says so or goes away; a clock that stops reading neither freezes its window
// nor ends it.
#include <glib-unix.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>

#include "posix/dialog/DialogProtocol.h"
#include "posix/dialog/DialogWindow.h"
#include "posix/dialog/LineBuffer.h"
#include "posix/dialog/SendQueue.h"

namespace {

using namespace tavrino::posix::dialog;

// The clock's channel: commands in, reports out. The reports never wait for the clock: what the
// socket does not take at once waits in the queue until it is writable.
struct Channel {
    explicit Channel(int socket) : output(socket), reports(socket) {}

    int input = STDIN_FILENO;
    int output;
    SendQueue reports;
    guint writableWatch = 0;  // while reports wait
    LineBuffer lines;
    std::optional<DialogWindow> window;  // once the clock has said how to lay it out
};

gboolean OnWritable(gint, GIOCondition, gpointer data) {
    auto& channel = *static_cast<Channel*>(data);
    channel.reports.SendQueued();
    if (channel.reports.Waiting()) {
        return G_SOURCE_CONTINUE;
    }
    channel.writableWatch = 0;
    return G_SOURCE_REMOVE;
}

void Send(Channel& channel, const Report& report) {
    channel.reports.Send(Encode(report) + "\n");
    if (channel.reports.Waiting() && channel.writableWatch == 0) {
        channel.writableWatch =
            g_unix_fd_add(channel.output, static_cast<GIOCondition>(G_IO_OUT | G_IO_ERR | G_IO_HUP),
                          OnWritable, &channel);
    }
}

gboolean OnCommands(gint, GIOCondition, gpointer data) {
    auto& channel = *static_cast<Channel*>(data);
    std::array<char, 4096> buffer{};
    const ssize_t count = read(channel.input, buffer.data(), buffer.size());
    if (count <= 0) {
        gtk_main_quit();  // the clock is gone
        return G_SOURCE_CONTINUE;
    }
    channel.lines.Append(std::string_view(buffer.data(), static_cast<std::size_t>(count)));
    while (const auto line = channel.lines.NextLine()) {
        const auto command = DecodeCommand(*line);
        if (!command) {
            continue;
        }
        if (channel.window) {
            channel.window->Apply(*command);
        } else if (const auto* open = std::get_if<command::Open>(&*command)) {
            channel.window.emplace([&channel](const Report& report) { Send(channel, report); },
                                   open->resolution);
            channel.window->ReportPlace();
        }
    }
    return G_SOURCE_CONTINUE;
}

}  // namespace

int main(int argc, char** argv) {
    // A clock that has gone leaves closed pipes behind: a write to one fails instead of ending
    // the program.
    std::signal(SIGPIPE, SIG_IGN);
    // Standard output is the clock's channel alone: what a library prints goes to the error
    // stream instead.
    Channel channel(dup(STDOUT_FILENO));
    dup2(STDERR_FILENO, STDOUT_FILENO);
    if (channel.output < 0 || !gtk_init_check(&argc, &argv)) {
        std::fputs("tavrino-settings: cannot open the display\n", stderr);
        return 1;
    }
    const guint watch =
        g_unix_fd_add(channel.input, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR),
                      OnCommands, &channel);
    gtk_main();
    g_source_remove(watch);
    if (channel.writableWatch != 0) {
        g_source_remove(channel.writableWatch);
    }
    close(channel.output);
    return 0;
}
