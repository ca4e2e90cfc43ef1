#pragma once

#include <chrono>
#include <string>

#include "RuntimeError.h"

namespace Window {

// Text1 as the core sees it.
class ReportView {
public:
    virtual ~ReportView() = default;
    // Puts text into the box and shows its end, where the title is; the
    // caret stays at its start. The empty line after a last line break
    // needs no room.
    virtual void ShowReport(const std::string& text) = 0;
};

// The window around the controls: its failure box and its timers.
class WindowHost {
public:
    enum class Timer { Waiting };

    virtual ~WindowHost() = default;
    // Tells the person of a failure; the window goes on afterwards.
    virtual void ShowFailure(const Runtime::RuntimeError& error) = 0;
    // Runs out once after delay, on the window's thread, and then calls the
    // core's TimerRan; started again, it counts anew.
    virtual void StartTimer(Timer timer, std::chrono::milliseconds delay) = 0;
};

}  // namespace Window
