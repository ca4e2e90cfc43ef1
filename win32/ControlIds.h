#pragma once

// Form1's controls by their child-window ids: WM_COMMAND and WM_DRAWITEM
// name them so, and so do the tests that drive the window.
enum ControlId : int {
    kDrive1Id = 101,
    kDir1Id = 102,
    kFile1Id = 103,
    kText1Id = 104,
};

// The timer that asks the lists whether their folder changed on disk.
inline constexpr unsigned kFollowDiskTimer = 1;
inline constexpr unsigned kFollowDiskMilliseconds = 150;
