#pragma once

#include <QListWidget>
#include <string>

#include "folder_selection.h"

namespace Module1 {
class Platform;
}

// The folder list: the folders from the drive's root down to the open
// folder, then the open folder's sub-folders. A click or the arrow keys only
// highlight an entry; a double click or Enter opens it, which changes Path
// and raises PathChanged.
class FolderList : public QListWidget, public FolderListControl {
    Q_OBJECT
public:
    // The sub-folders are listed through the platform.
    explicit FolderList(Module1::Platform& platform, QWidget* parent = nullptr);

    const std::string& Path() const override { return path_; }
    const std::string& Root() const override { return root_; }
    bool Open(const std::string& root, const std::string& path, std::string& failure) override;

    // The path stored with a row.
    static std::string RowPath(const QListWidgetItem* item);

signals:
    void PathChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OpenRow(QListWidgetItem* item);

    Module1::Platform& platform_;
    std::string root_;
    std::string path_;
};
