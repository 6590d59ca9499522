#pragma once

#include <QListWidget>
#include <string>

namespace Module1 {
class Platform;
}

// The folder list: the folders from the drive's root down to the open
// folder, then the open folder's sub-folders. A click or the arrow keys only
// highlight an entry; a double click or Enter opens it, which changes Path
// and raises PathChanged.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    // The sub-folders are listed through the platform.
    explicit FolderList(Module1::Platform& platform, QWidget* parent = nullptr);

    // The open folder, the file system's own bytes.
    const std::string& Path() const { return path_; }
    // The root of the drive the list is on.
    const std::string& Root() const { return root_; }

    // Opens path (the root itself or a folder below it) on the drive whose
    // root is root. When the folder cannot be listed, returns false with the
    // system's reason and leaves the list as it was.
    bool Open(const std::string& root, const std::string& path, std::string& failure);

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
