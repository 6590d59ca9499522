#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "folder_rows.h"
#include "folder_selection.h"

namespace Module1 {
class Platform;
}

// Dir1, the classic folder list over a list box: the path's ancestors,
// then the open folder's sub-folders, each indented by its level with a
// folder picture. A single click only highlights a row; a double click or
// Enter opens it, which changes Path and raises on_path_changed.
class FolderList : public FolderListControl {
public:
    // The sub-folders are listed through the platform.
    FolderList(HWND list_box, Module1::Platform& platform) : list_(list_box), platform_(platform) {}

    const std::string& Path() const override { return path_; }
    const std::string& Root() const override { return root_; }
    bool Open(const std::string& root, const std::string& path, std::string& failure) override;
    // Opens the highlighted row; a folder that cannot be opened says so in a box.
    void OpenHighlighted();
    // Row height and indentation follow the window's font and resolution.
    void SetMetrics(int row_height, UINT dpi);
    void DrawRow(const DRAWITEMSTRUCT& item) const;

    std::function<void()> on_path_changed;
    std::function<void(const std::string& text)> show_message;

private:
    HWND list_;
    Module1::Platform& platform_;
    std::string root_;
    std::string path_;
    std::vector<FolderRow> rows_;
    UINT dpi_ = 96;
};
