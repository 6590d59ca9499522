#include "window_pacer.h"

#include <QCoreApplication>
#include <QLabel>
#include <algorithm>

#include "native_names.h"

void WindowPacer::Begin() {
    stats_ = {};
    running_ = true;
    has_pending_ = false;
    last_turn_ = Clock::now();
    last_paint_ = Clock::time_point{};
}

void WindowPacer::NoteGap(Clock::time_point now) {
    if (running_) stats_.longest_gap = std::max(stats_.longest_gap, std::chrono::nanoseconds(now - last_turn_));
}

void WindowPacer::ProcessEvents() {
    const Clock::time_point now = Clock::now();
    if (now - last_turn_ < kTurnInterval) return;
    NoteGap(now);
    if (has_pending_ && now - last_paint_ >= kRepaintInterval) Paint(now);
    QCoreApplication::processEvents();
    ++stats_.turns;
    // A modal box opened from the loop (About) holds the walk; that time
    // is a turn, not a gap.
    last_turn_ = Clock::now();
}

void WindowPacer::SetStatus(const std::string& text) {
    pending_ = text;
    has_pending_ = true;
    const Clock::time_point now = Clock::now();
    if (now - last_paint_ >= kRepaintInterval) Paint(now);
}

void WindowPacer::Flush() {
    if (has_pending_) Paint(Clock::now());
}

void WindowPacer::End() {
    NoteGap(Clock::now());
    Flush();
    running_ = false;
}

void WindowPacer::Paint(Clock::time_point now) {
    label_->setText(NameToText(pending_));
    label_->repaint();
    has_pending_ = false;
    last_paint_ = now;
    ++stats_.repaints;
}
