#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

// What the window saw of one run's pacing.
struct PacingStats {
    std::chrono::nanoseconds longest_gap{0};  // longest stretch without an event-loop turn
    std::uint64_t turns = 0;
    std::uint64_t repaints = 0;
    std::chrono::nanoseconds in_window{0};  // spent in the event-loop turns and repaints
    std::chrono::nanoseconds walk{0};  // from the start of the walk to its closing or error box
};

// The walk asks for an event-loop turn before nearly every entry and for a
// status repaint at every match; done literally, that costs more than the
// walk itself. The pacer hands control to the event loop only when
// kTurnInterval has passed since it last did, and repaints the status label
// at most once per kRepaintInterval, always showing the latest match. A
// repaint of the label costs milliseconds (text layout with fallback fonts,
// a flush to the display): sixty a second took a tenth of the walk, ten a
// second keep the label live for the eye at a few percent.
// Toolkit-free: the front end supplies the repaint and the event-loop turn.
class WindowPacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kTurnInterval{10};
    static constexpr std::chrono::milliseconds kRepaintInterval{100};

    struct Toolkit {
        // Shows the text in the status label and repaints it at once.
        std::function<void(const std::string& text)> paint_status;
        // Lets the window handle its pending events.
        std::function<void()> process_events;
        // The time; tests put a clock of their own here.
        std::function<Clock::time_point()> now = [] { return Clock::now(); };
    };

    WindowPacer() = default;
    explicit WindowPacer(Toolkit toolkit) : toolkit_(std::move(toolkit)) {}

    void Begin();
    void ProcessEvents();
    void SetStatus(const std::string& text);
    // Shows a status that is still waiting.
    void Flush();
    // Ends the walk's part of the run: the last match goes on show and the
    // measurements stop. Called before the closing or error box takes over;
    // calling it again does nothing.
    void End();
    const PacingStats& Stats() const { return stats_; }

private:
    void Paint(Clock::time_point now);
    void NoteGap(Clock::time_point now);

    Toolkit toolkit_;
    bool running_ = false;
    Clock::time_point begun_{};
    Clock::time_point last_turn_{};
    Clock::time_point last_paint_{};
    std::string pending_;
    bool has_pending_ = false;
    PacingStats stats_;
};
