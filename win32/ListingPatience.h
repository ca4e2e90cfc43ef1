#pragma once

#include <chrono>

// How long a list waits on the window's thread for a folder's listing (or
// the drive list for the volumes) before it shows that the folder is being
// read and lets the listing arrive later. A local disk answers within the
// short wait, so the folder shows at once as before; the window never stops
// for longer than a frame or two. While Form1 is being made no message loop
// runs yet, so nothing can stop, and waiting longer opens the window with its
// lists filled. Compare qt/ListingPatience.h, which tells the two apart by
// whether the window is on screen; here the tests drive a window never shown.
inline constexpr std::chrono::milliseconds kListingPatience{25};
inline constexpr std::chrono::milliseconds kStartListingPatience{1000};
