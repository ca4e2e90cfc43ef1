// Folder paths as the lists walk them: the chain, a child, a parent, a root.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PathChain.h"

using Chain = std::vector<std::string>;

TEST(PathChain, SplitsAndJoinsFolderPaths) {
    const struct { const char* path; const char* driveRoot; Chain chain; const char* parent; const char* root; } cases[] = {
#ifdef _WIN32
        {"C:\\", "", {"C:\\"}, nullptr, "C:\\"},
        {"C:\\music\\old", "", {"C:\\", "music", "old"}, "C:\\music", "C:\\"},
        {"C:\\music", "C:\\", {"C:\\", "music"}, "C:\\", "C:\\"},
        {"\\\\server\\share\\midi", "", {"\\\\server\\share\\", "midi"}, "\\\\server\\share\\", "\\\\server\\share\\"},
#else
        {"/", "", {"/"}, nullptr, "/"},
        {"/home/a/b", "", {"/", "home", "a", "b"}, "/home/a", "/"},
        {"/home/a/b", "/home", {"/home", "a", "b"}, "/home/a", "/"},
        {"/home", "/home", {"/home"}, "/", "/"},
        {"/a", "", {"/", "a"}, "/", "/"},
        // Not under the drive root, whole names compared: chained from "/".
        {"/home2/x", "/home", {"/", "home2", "x"}, "/home2", "/"},
        {"/media/my stick/曲", "/media/my stick", {"/media/my stick", "曲"}, "/media/my stick", "/"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Runtime::ChainOf(c.path, c.driveRoot), c.chain);
        // Each row of the chain opens the folder it names.
        EXPECT_EQ(Runtime::PathOfChain(c.chain, c.chain.size() - 1), c.path);
        EXPECT_EQ(Runtime::ParentFolder(c.path), c.parent ? std::optional<std::string>(c.parent) : std::nullopt);
        EXPECT_EQ(Runtime::RootOf(c.path), c.root);
    }
#ifndef _WIN32
    EXPECT_EQ(Runtime::PathOfChain({"/home", "a", "b"}, 1), "/home/a");
    EXPECT_EQ(Runtime::ChildPath("/", "a"), "/a");
    EXPECT_EQ(Runtime::ChildPath("/a", "b"), "/a/b");
    EXPECT_TRUE(Runtime::IsSameOrUnder("/home/a", "/home"));
    EXPECT_FALSE(Runtime::IsSameOrUnder("/home2", "/home"));
#endif
}
