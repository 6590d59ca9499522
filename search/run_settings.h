#pragma once

#include <string>

namespace Module1 {

// The one record through which the window tells the search what to do.
// The window writes it; the search only reads it.
struct RunSettings {
    // Folder selection, kept current by the drive and folder lists.
    std::string start_drive;
    std::string start_folder;

    // Run choices, captured from the window at every Execute.
    bool ext_htm = false;
    bool ext_jpg_gif = false;
    bool ext_jpg = false;
    bool ext_gif = false;
    bool ext_txt = false;
    bool ext_other = false;
    bool style_path_file = false;
    bool style_file = false;
    bool out_html = false;
    bool out_text = false;
    std::string ext_free_text;  // exactly as typed: not trimmed, case kept
};

// The program-wide record. Empty and false until the window fills it.
extern RunSettings run_settings;

}  // namespace Module1
