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

TEST(Process, EndsWithItsRunsStatusAndQuietlyWhenTheReaderOfItsOutputGoes) {
    const TempFolder folder;
    // Far more output than a pipe holds, so the program is still writing when head has gone.
    for (int i = 0; i < 1000; ++i) folder.Write(std::to_string(i) + ".mid", NamedTwoTrackSong());
    const std::string cli = Quoted(MIDTITLE_CLI) + " ", dir = Quoted(folder.path().string());
    const std::string errors = Quoted((folder.path() / "errors.txt").string());
    const struct { const char* why; std::string command; int status; } cases[] = {
        {"a missing path", cli + dir + "/nothing >/dev/null 2>&1", 1},
        {"a usage error", cli + "--format xml " + dir + " >/dev/null 2>&1", 2},
        {"head gone: no error, nothing on stderr",
         "bash -c \"set -o pipefail; " + cli + "-j 2 " + dir + " 2>" + errors + " | head -n 1 >/dev/null && test ! -s " +
             errors + "\"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Shell(c.command), c.status);
    }
}

}  // namespace
