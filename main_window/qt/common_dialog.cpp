#include "common_dialog.h"

#include <QFileDialog>
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
    if (!FileName.isEmpty()) dialog.selectFile(FileName);

    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    FileName = chosen ? dialog.selectedFiles().constFirst() : QString();
    return !FileName.isEmpty();
}
