#pragma once

#include <windows.h>

// Form1's controls by their child-window ids: WM_COMMAND and WM_DRAWITEM
// name them so, and so do the tests that drive the window.
enum ControlId : int {
    kDrive1Id = 101,
    kDir1Id = 102,
    kFile1Id = 103,
    kText1Id = 104,
};

// The timer that asks whether the folder shown changed on disk.
inline constexpr unsigned kFollowDiskTimer = 1;
// The timer that runs out when the selected file's report has been awaited
// long enough to say in Text1 that it is being read.
inline constexpr unsigned kWaitingTimer = 2;

// Posted to Form1 when work done on a worker waits in its mailbox: one
// message for each batch, carrying nothing, so nothing leaks when the
// window is gone before it arrives.
inline constexpr UINT kDeliveriesArrived = WM_APP + 1;
