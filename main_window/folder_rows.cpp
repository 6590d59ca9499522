#include "folder_rows.h"

#include "platform.h"

namespace {

std::string Join(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == Module1::kFolderSeparator ? folder + name
                                                                        : folder + Module1::kFolderSeparator + name;
}

}  // namespace

std::vector<FolderRow> FolderRows(const std::string& root, const std::string& path,
                                  const std::vector<std::string>& names, std::size_t& open_row) {
    std::vector<FolderRow> rows{{root, root, 0, true}};
    std::string walked = root;
    int depth = 0;
    const std::string below = path.size() > root.size() ? path.substr(root.size()) : std::string();
    for (std::size_t start = 0; start < below.size();) {
        std::size_t end = below.find(Module1::kFolderSeparator, start);
        if (end == std::string::npos) end = below.size();
        if (end > start) {
            const std::string name = below.substr(start, end - start);
            walked = Join(walked, name);
            rows.push_back({name, walked, ++depth, true});
        }
        start = end + 1;
    }
    open_row = rows.size() - 1;
    for (const std::string& name : names) rows.push_back({name, Join(path, name), depth + 1, false});
    return rows;
}
