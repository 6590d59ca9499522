#include "window_pacer.h"

#include <algorithm>

#include "shown_name.h"

void WindowPacer::Begin() {
    stats_ = {};
    running_ = true;
    has_pending_ = false;
    begun_ = last_turn_ = toolkit_.now();
    last_paint_ = Clock::time_point{};
}

void WindowPacer::NoteGap(Clock::time_point now) {
    if (running_) stats_.longest_gap = std::max(stats_.longest_gap, std::chrono::nanoseconds(now - last_turn_));
}

void WindowPacer::ProcessEvents() {
    const Clock::time_point now = toolkit_.now();
    if (now - last_turn_ < kTurnInterval) return;
    NoteGap(now);
    if (has_pending_ && now - last_paint_ >= kRepaintInterval) Paint(now);
    if (toolkit_.process_events) toolkit_.process_events();
    ++stats_.turns;
    // A modal box opened from the loop (About) holds the walk; that time
    // is a turn, not a gap.
    last_turn_ = toolkit_.now();
    stats_.in_window += last_turn_ - now;
}

void WindowPacer::SetStatus(const std::string& text) {
    pending_ = text;
    has_pending_ = true;
    const Clock::time_point now = toolkit_.now();
    if (now - last_paint_ >= kRepaintInterval) Paint(now);
}

void WindowPacer::Flush() {
    if (has_pending_) Paint(toolkit_.now());
}

void WindowPacer::End() {
    const Clock::time_point now = toolkit_.now();
    NoteGap(now);
    if (running_) stats_.walk = now - begun_;
    Flush();
    running_ = false;
}

void WindowPacer::Paint(Clock::time_point now) {
    // The status holds names: shown with their controls escaped, at the
    // label's rate rather than at every match.
    if (toolkit_.paint_status) toolkit_.paint_status(Module1::ShownName(pending_));
    has_pending_ = false;
    last_paint_ = now;
    if (running_) stats_.in_window += toolkit_.now() - now;
    ++stats_.repaints;
}
