#pragma once

#include <chrono>

namespace Services {

// How long the window's thread waits for work on a worker before it lets
// the result arrive later. A local disk answers well within the short wait,
// so its reports and folders show at once; the window never stops for
// longer than a frame or two.
inline constexpr std::chrono::milliseconds kReportPatience{25};
inline constexpr std::chrono::milliseconds kListingPatience{25};
// While the window is being made no one can be kept waiting: waiting longer
// opens it with its lists filled.
inline constexpr std::chrono::milliseconds kStartListingPatience{1000};
// How long a read of the selected file goes on before the text box says
// the file is being read.
inline constexpr std::chrono::milliseconds kWaitingNoted{300};

// How long a list waits for a listing: longer while its window is not on
// screen yet.
constexpr std::chrono::milliseconds ListingPatience(bool isOnScreen) noexcept {
    return isOnScreen ? kListingPatience : kStartListingPatience;
}

} // namespace Services
