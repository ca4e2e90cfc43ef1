#include <gtest/gtest.h>

#include "Report.h"

TEST(JoinFullPath, PutsOneSeparatorBetween) {
    const struct { const char* why; std::string_view directory; std::string_view name; std::string path; } cases[] = {
#ifdef _WIN32
        {"drive root already ends in one", "C:\\", "a.mid", "C:\\a.mid"},
        {"folder gets one", "C:\\music", "a.mid", "C:\\music\\a.mid"},
        {"trailing backslash is not doubled", "C:\\music\\", "a.mid", "C:\\music\\a.mid"},
        {"network share", "\\\\server\\share", "a.mid", "\\\\server\\share\\a.mid"},
#else
        {"root directory already ends in one", "/", "song.mid", "/song.mid"},
        {"subdirectory gets one", "/home/ongaku", "song.mid", "/home/ongaku/song.mid"},
        {"trailing separator is not doubled", "/home/ongaku/", "song.mid", "/home/ongaku/song.mid"},
        {"Japanese names pass unchanged", "/音楽", "歌.mid", "/音楽/歌.mid"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(JoinFullPath(c.directory, c.name), c.path);
    }
}

TEST(ComposeReport, IsByteForByteTheSameEveryTime) {
    const std::string expected =
        "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE5\x90\x8D\xEF\xBC\x8D /m/song.mid\r\n"  // ファイル名－
        "\r\n"
        "\xE3\x83\x95\xE3\x82\xA9\xE3\x83\xBC\xE3\x83\x9E\xE3\x83\x83\xE3\x83\x88\xEF\xBC\x8D 1\r\n"  // フォーマット－
        "\xE3\x83\x88\xE3\x83\xA9\xE3\x83\x83\xE3\x82\xAF\xE6\x95\xB0\xEF\xBC\x8D 2\r\n"  // トラック数－
        "\xE5\x88\x86\xE8\xA7\xA3\xE8\x83\xBD\xEF\xBC\x8D 480\r\n"  // 分解能－
        "\r\n"
        "\xE3\x82\xBF\xE3\x82\xA4\xE3\x83\x88\xE3\x83\xAB\xEF\xBC\x8D Song\r\n";  // タイトル－
    EXPECT_EQ(ComposeReport("/m/song.mid", {1, 2, 480, "Song"}), expected);
}
