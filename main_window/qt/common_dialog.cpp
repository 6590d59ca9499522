#include "common_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

bool CommonDialog::ShowSave(QWidget* owner) {
    QFileDialog dialog(owner, DialogTitle);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The listing is appended to the file, never replaces it, so a "replace?"
    // question would be false. Qt's own dialog is used everywhere so that the
    // default extension and this option behave the same on every desktop.
    dialog.setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(DefaultExt);
    // Named explicitly: left alone, Qt's dialog would open where any Qt
    // program's dialog was last, and list the folders it went to, as Qt's
    // settings remember them across starts; this program keeps nothing.
    dialog.setDirectory(last_folder_.isEmpty() ? QDir::currentPath() : last_folder_);
    dialog.setHistory({});
    if (!FileName.isEmpty()) dialog.selectFile(FileName);

    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    FileName = chosen ? dialog.selectedFiles().constFirst() : QString();
    if (!FileName.isEmpty()) last_folder_ = QFileInfo(FileName).absolutePath();
    return !FileName.isEmpty();
}
