// The pacing of a walk against a clock of the test's own: the event loop
// gets its turns and the status label its repaints at a steady rate, however
// many entries and matches come in, and the last match is always shown.

#include <gtest/gtest.h>

#include <string>

#include "window_pacer.h"

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

struct PacedWalk {
    WindowPacer::Clock::time_point now = WindowPacer::Clock::time_point{} + std::chrono::hours(1);
    int turns = 0;
    int paints = 0;
    std::string shown;
    WindowPacer pacer;

    PacedWalk()
        : pacer({.paint_status = [this](const std::string& text) { ++paints, shown = text; },
                 .process_events = [this] { ++turns; },
                 .now = [this] { return now; }}) {}
};

}  // namespace

// A walk of `entries` entries `step` apart, every `match_every`-th a match.
TEST(WindowPacer, TurnsAndRepaintsFollowElapsedTimeNotEntries) {
    struct Case {
        const char* name;
        microseconds step;
        int entries, match_every;
    };
    const Case cases[] = {
        {"fast walk, every entry a match", microseconds(20), 100000, 1},
        {"fast walk, few matches", microseconds(20), 100000, 97},
        {"slow walk", microseconds(3000), 2000, 1},
    };
    for (const Case& c : cases) {
        PacedWalk run;
        run.pacer.Begin();
        for (int i = 0; i < c.entries; ++i) {
            run.now += c.step;
            run.pacer.ProcessEvents();
            if (i % c.match_every == 0) run.pacer.SetStatus("match " + std::to_string(i));
        }
        run.pacer.End();
        const auto elapsed = c.step * c.entries;
        const long long most_turns = elapsed / WindowPacer::kTurnInterval + 1;
        const long long most_paints = elapsed / WindowPacer::kRepaintInterval + 3;
        EXPECT_LE(run.turns, most_turns) << c.name;
        EXPECT_GE(run.turns, most_turns / 2) << c.name;
        EXPECT_LE(run.paints, most_paints) << c.name;
        EXPECT_GE(run.paints, most_paints / 4) << c.name;
        EXPECT_EQ(run.paints, static_cast<int>(run.pacer.Stats().repaints)) << c.name;
        EXPECT_LE(run.pacer.Stats().longest_gap, WindowPacer::kTurnInterval + c.step) << c.name;
        const int last_match = (c.entries - 1) / c.match_every * c.match_every;
        EXPECT_EQ(run.shown, "match " + std::to_string(last_match)) << c.name;
    }
}

// A match that comes too soon after a repaint waits, and is shown at the
// next turn once its interval is over, not only at the end of the walk.
TEST(WindowPacer, AWaitingMatchIsShownAtTheNextTurn) {
    PacedWalk run;
    run.pacer.Begin();
    run.pacer.SetStatus("first");
    run.now += milliseconds(1);
    run.pacer.SetStatus("second");
    EXPECT_EQ(run.shown, "first");
    run.now += WindowPacer::kRepaintInterval;
    run.pacer.ProcessEvents();
    EXPECT_EQ(run.shown, "second");
    const int paints = run.paints;
    run.pacer.End();
    EXPECT_EQ(run.paints, paints) << "End repainted a status already on show";
}
