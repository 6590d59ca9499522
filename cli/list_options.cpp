#include "list_options.h"

#include <map>
#include <optional>
#include <string_view>

#include "translation.h"

namespace list_tool {

namespace {

using Module1::FileClass;

const std::map<std::string_view, FileClass> kClasses = {
    {"htm", FileClass::kHtm}, {"jpggif", FileClass::kJpgGif}, {"jpg", FileClass::kJpg},
    {"gif", FileClass::kGif}, {"txt", FileClass::kTxt},       {"other", FileClass::kOther},
};

// The options that take a value, each given at most once.
struct Values {
    std::optional<std::string> class_name, ext, style, names, output;

    std::optional<std::string>* Find(std::string_view option) {
        if (option == "--class") return &class_name;
        if (option == "--ext") return &ext;
        if (option == "--style") return &style;
        if (option == "--names") return &names;
        if (option == "--output") return &output;
        return nullptr;
    }
};

// Checks the values and puts them into options; returns the problem, if any.
std::string Apply(const Values& values, ListOptions& options) {
    const std::string class_name = values.class_name.value_or("htm");
    const auto chosen = kClasses.find(class_name);
    if (chosen == kClasses.end()) return Format(Tr("unknown class '%s'"), {class_name});
    if (values.ext && class_name != "other") return Tr("--ext needs --class other");
    if (!values.ext && class_name == "other") return Tr("--class other needs --ext (\"*\" for every file)");
    const std::string style = values.style.value_or("html"), names = values.names.value_or("path");
    if (style != "html" && style != "text") return Format(Tr("unknown style '%s'"), {style});
    if (names != "path" && names != "file") return Format(Tr("unknown names '%s'"), {names});
    if (!values.output || values.output->empty()) return Tr("--output FILE is required");
    if (options.folder.empty()) return Tr("FOLDER is required");

    Module1::RunRequest& r = options.request;
    r = {};
    r.file_class = chosen->second;
    r.ext_free_text = values.ext.value_or("");
    r.line_style = style == "html" ? Module1::LineStyle::kHtmlLink : Module1::LineStyle::kText;
    r.name_style = names == "path" ? Module1::NameStyle::kPathAndFile : Module1::NameStyle::kFile;
    options.output = *values.output;
    return {};
}

}  // namespace

std::string ParseOptions(const std::vector<std::string>& args, ListOptions& options) {
    Values values;
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_ended || arg.empty() || arg[0] != '-' || arg == "-") {
            if (!options.folder.empty()) return Format(Tr("more than one FOLDER: '%s' and '%s'"), {options.folder, arg});
            options.folder = arg;
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.action = ListOptions::Action::kHelp;
            return {};
        }
        if (arg == "--version") {
            options.action = ListOptions::Action::kVersion;
            return {};
        }
        // --option VALUE or --option=VALUE
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        std::optional<std::string>* slot = values.Find(name);
        if (slot == nullptr) return Format(Tr("unknown option '%s'"), {name});
        if (slot->has_value()) return Format(Tr("%s given more than once"), {name});
        if (equals != std::string::npos) {
            *slot = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            *slot = args[++i];
        } else {
            return Format(Tr("%s needs a value"), {name});
        }
    }
    return Apply(values, options);
}

std::string HelpText() {
    // In paragraphs, each one text of the catalogue. The options, their
    // values and the summary's names stay as they are in every language.
    return std::string(Tr("Usage: marrowpine-list [OPTION]... --output FILE FOLDER\n")) +
           Tr("Append one line per matching file in FOLDER and all its sub-folders to FILE,\n"
              "in the order the file system returns the entries. FILE is never emptied.\n") +
           "\n" +
           Tr("  --class CLASS    htm (.htm .html, the default), jpggif (.jpg .jpeg .gif),\n"
              "                   jpg (.jpg .jpeg), gif, txt (.txt .text), or other\n"
              "  --ext TEXT       the extension for --class other (\"txt\", \".txt\" and \"*.txt\"\n"
              "                   alike); \"*\" lists every file\n"
              "  --style STYLE    html: one <A HREF=file:///...> link per line (the default);\n"
              "                   text: one name per line\n"
              "  --names NAMES    path: full paths (the default); file: bare names\n"
              "  --output FILE    the listing file, appended to; lines end in CR LF.\n"
              "                   \"-\" is the standard output (\"./-\" names a file)\n"
              "  -h, --help       show this help and exit\n"
              "      --version    show the version and exit\n"
              "  --               end of options (for a FOLDER that starts with \"-\")\n") +
           "\n" +
           Tr("On a terminal, stderr shows the progress. At the end stderr gets a summary:\n"
              "  entries=N matches=N lines=N skipped_folders=N unrepresentable_names=N seconds=S\n"
              "entries counts the folders' entries (not \".\" and \"..\"); lines counts the\n"
              "lines actually written, also after a failed run.\n") +
           "\n" +
           Tr("Exit status: 0 done, 1 the run failed, 2 wrong usage. A reader of the\n"
              "standard output that stops early (| head) ends the run with 1, silently.\n");
}

std::string VersionText() { return "marrowpine-list (MARROWPINE) " MARROWPINE_VERSION "\n"; }

}  // namespace list_tool
