// marrowpine-list: one listing run without a window.
//
//   marrowpine-list [--class htm|jpggif|jpg|gif|txt|other] [--ext TEXT]
//                   [--style html|text] [--names path|file] --output FILE FOLDER
//
// Exit 0 on success; otherwise the error on stderr and exit 1 (2 for bad usage).
// The last line on stderr is "entries=N matches=M seconds=S".

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <chrono>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <string_view>

#include "directory_walk.h"
#include "run_settings.h"
#include "search_error.h"
#include "texts.h"
#include "window_hooks.h"

namespace {

using Module1::RunSettings;

const std::map<std::string_view, bool RunSettings::*> kClasses = {
    {"htm", &RunSettings::ext_htm}, {"jpggif", &RunSettings::ext_jpg_gif},
    {"jpg", &RunSettings::ext_jpg}, {"gif", &RunSettings::ext_gif},
    {"txt", &RunSettings::ext_txt}, {"other", &RunSettings::ext_other},
};

int Usage(const std::string& problem) {
    std::cerr << "marrowpine-list: " << problem << "\n"
              << "usage: marrowpine-list [--class htm|jpggif|jpg|gif|txt|other] [--ext TEXT]\n"
              << "                       [--style html|text] [--names path|file] --output FILE FOLDER\n";
    return 2;
}

long PeakKibibytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");  // upper-casing follows the user's locale
    RunSettings settings;
    std::string class_name = "htm", style = "html", names = "path", output, folder;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--class" && has_value) class_name = argv[++i];
        else if (arg == "--ext" && has_value) settings.ext_free_text = argv[++i];
        else if (arg == "--style" && has_value) style = argv[++i];
        else if (arg == "--names" && has_value) names = argv[++i];
        else if (arg == "--output" && has_value) output = argv[++i];
        else if (!arg.starts_with("--") && folder.empty()) folder = arg;
        else return Usage("unexpected argument: " + std::string(arg));
    }
    const auto chosen = kClasses.find(class_name);
    if (chosen == kClasses.end()) return Usage("unknown class: " + class_name);
    if (style != "html" && style != "text") return Usage("unknown style: " + style);
    if (names != "path" && names != "file") return Usage("unknown names: " + names);
    if (output.empty() || folder.empty()) return Usage("--output FILE and FOLDER are required");

    settings.*(chosen->second) = true;
    settings.out_html = style == "html";
    settings.out_text = !settings.out_html;
    settings.style_path_file = names == "path";
    settings.style_file = !settings.style_path_file;
    // Full names and link targets need an absolute start folder, as the folder list gives it.
    settings.start_folder = std::filesystem::absolute(folder).string();
    settings.start_drive = settings.start_folder.substr(0, 1);
    Module1::run_settings = settings;

    Module1::window_hooks.output_path = [&output] { return output; };
    Module1::window_hooks.message_box = [](const std::string&, const std::string& text) {
        if (text != Module1::kCompleted) std::cerr << text << "\n";
    };

    const auto start = std::chrono::steady_clock::now();
    Module1::WalkSummary summary;
    int status = 0;
    try {
        summary = Module1::RunSearch();
    } catch (const std::exception& error) {
        std::cerr << "marrowpine-list: " << error.what() << "\n";
        status = 1;
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "peak_kib=%ld\nentries=%llu matches=%llu seconds=%.3f\n", PeakKibibytes(),
                 static_cast<unsigned long long>(summary.entries),
                 static_cast<unsigned long long>(summary.matches), seconds.count());
    return status;
}
