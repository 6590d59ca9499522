#pragma once

#include <functional>
#include <string>

namespace Module1 {

// The only ways the search reaches the window. An empty hook does nothing,
// so the search runs headless when none is set.
struct WindowHooks {
    // Show the text in the status label and repaint it at once.
    std::function<void(const std::string& text)> set_status;
    // Let the window handle its pending events.
    std::function<void()> process_events;
    // Show a modal box with the title, the text and a single OK button.
    std::function<void(const std::string& title, const std::string& text)> message_box;
    // Where the output lines go: the save dialog's file name, read afresh for every line.
    std::function<std::string()> output_path;
};

extern WindowHooks window_hooks;

void SetStatus(const std::string& text);
void ProcessEvents();
void ShowMessage(const std::string& title, const std::string& text);
std::string OutputPath();

}  // namespace Module1
