// midtitle-cli as a process: exit statuses, and outputs that fail or go away.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "SmfBytes.h"
#include "TempFolder.h"

namespace {

// text as one word of a shell command, whatever it holds.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

TEST(Process, EndsWithItsRunsStatusAndTellsEveryFailedWriteButAClosedPipe) {
    const TempFolder folder;
    // Far more output than a pipe holds, so the program is still writing when head has gone.
    for (int i = 0; i < 1000; ++i) folder.Write(std::to_string(i) + ".mid", NamedTwoTrackSong());
    const std::string cli = Quoted(MIDTITLE_CLI) + " ", dir = Quoted(folder.path().string());
    const std::string errors = (folder.path() / "errors.txt").string();
    const struct { const char* why; std::string command; int status; std::string told; } cases[] = {
        {"a missing path", cli + dir + "/nothing >/dev/null", 1, "53 ファイルが見つかりません。"},
        {"a usage error", cli + "--format xml " + dir + " >/dev/null", 2, "形式 xml はありません。"},
        {"head gone", "set -o pipefail; " + cli + "-j 2 " + dir + " | head -n 1 >/dev/null", 0, ""},
        {"disk full", cli + "-r --format tsv " + dir + " >/dev/full", 1,
         "midtitle-cli: 標準出力に書けません: 61 ディスクがいっぱいです。（システムのエラー 28: No space left on device）\n"},
        {"output not open for writing", cli + dir + " 1</dev/null", 1,
         "midtitle-cli: 標準出力に書けません: 52 ファイル番号が正しくありません。（システムのエラー 9: Bad file descriptor）\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        // A fault that kept writing or waiting would end at the timeout.
        const int status = std::system(("timeout 60 bash -c " + Quoted(c.command + " 2>" + Quoted(errors))).c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status);
        std::ostringstream told;
        told << std::ifstream(errors).rdbuf();
        if (c.told.empty()) EXPECT_EQ(told.str(), "");
        else EXPECT_NE(told.str().find(c.told), std::string::npos) << told.str();
    }
}

}  // namespace
