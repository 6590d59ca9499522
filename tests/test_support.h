#pragma once

#include <string>
#include <vector>

#include "run_settings.h"

namespace test_support {

// A fresh folder under the system's temporary folder, removed with everything
// in it (permissions restored first) when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // Creates an empty file (and any missing folders on its way); returns its path.
    std::string File(const std::string& relative, const std::string& contents = "") const;
    std::string Folder(const std::string& relative) const;

private:
    std::string path_;
};

std::string ReadFile(const std::string& path);
// The file's lines, each of which must end in CR LF; a last line without one
// is kept with the marker "<no CR LF>". Sorted when asked, for walks whose
// order the file system decides.
std::vector<std::string> CrLfLines(const std::string& path, bool sorted = false);
bool Exists(const std::string& path);
// The text up to its first line break: the first line of a box.
inline std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// Settings for one run: a class field, the output and name styles.
Module1::RunSettings Settings(bool Module1::RunSettings::*class_field, bool html = true,
                              bool full_path = true, const std::string& free_text = "");

// Puts the settings and an output path in place for one test and clears the
// hooks and settings again afterwards.
class RunScope {
public:
    RunScope(const Module1::RunSettings& settings, const std::string& output_path);
    ~RunScope();
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;
};

}  // namespace test_support
