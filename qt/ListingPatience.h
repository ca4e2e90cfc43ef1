#pragma once

#include <QWidget>

#include <chrono>

#include "Patience.h"

// How long a list waits for a folder's listing before it shows that the
// folder is being read: longer while the window is not on screen yet.
inline std::chrono::milliseconds ListingPatience(const QWidget& list) {
    return list.window()->isVisible() ? Services::kListingPatience : Services::kStartListingPatience;
}
