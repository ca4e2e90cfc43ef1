// midtitle-cli as a process: exit statuses and a reader that goes away.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "SmfBytes.h"
#include "TempFolder.h"

namespace {

// Runs command through the shell and returns its exit status.
int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

TEST(Process, EndsWithTheStatusItsRunEarned) {
    const TempFolder folder;
    folder.Write("a.mid", NamedTwoTrackSong());
    const std::string cli = Quoted(MIDTITLE_CLI);
    const std::string dir = Quoted(folder.path().string());
    const struct { const char* why; std::string arguments; int status; } cases[] = {
        {"all read", dir, 0},
        {"a missing path", dir + " " + dir + "/nothing", 1},
        {"a usage error", "--format xml " + dir, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Shell(cli + " " + c.arguments + " >/dev/null 2>&1"), c.status);
    }
}

TEST(Process, StopsQuietlyWhenTheReaderOfItsOutputGoes) {
    const TempFolder folder;
    // Far more output than a pipe holds, so the program is still writing
    // when head has gone.
    for (int i = 0; i < 1000; ++i) folder.Write(std::to_string(i) + ".mid", NamedTwoTrackSong());
    const auto errors = folder.path() / "errors.txt";
    const std::string command = "set -o pipefail; " + Quoted(MIDTITLE_CLI) + " -j 2 " + Quoted(folder.path().string()) +
                                " 2>" + Quoted(errors.string()) + " | head -n 1 >/dev/null && test ! -s " +
                                Quoted(errors.string());
    EXPECT_EQ(Shell("bash -c \"" + command + "\""), 0) << "no error, nothing on stderr";
}

}  // namespace
