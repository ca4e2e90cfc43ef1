#pragma once

#include <QWidget>

#include <chrono>

// How long a list waits on the window's thread for a folder's listing
// before it shows that the folder is being read and lets the listing
// arrive later. A local disk answers within the short wait, so the folder
// shows at once as before; the window never stops for longer than a frame
// or two. Before the window is on screen nothing can stop, and waiting
// longer opens it with its lists filled.
inline std::chrono::milliseconds ListingPatience(const QWidget& list) {
    return list.window()->isVisible() ? std::chrono::milliseconds(25) : std::chrono::milliseconds(1000);
}
