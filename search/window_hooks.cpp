#include "window_hooks.h"

namespace Module1 {

WindowHooks window_hooks;

void SetStatus(const std::string& text) {
    if (window_hooks.set_status) window_hooks.set_status(text);
}

void ProcessEvents() {
    if (window_hooks.process_events) window_hooks.process_events();
}

void ShowMessage(const std::string& title, const std::string& text) {
    if (window_hooks.message_box) window_hooks.message_box(title, text);
}

std::string OutputPath() {
    return window_hooks.output_path ? window_hooks.output_path() : std::string();
}

}  // namespace Module1
