#include "message_box.h"

#include <QMessageBox>

void ShowMessageBox(QWidget* parent, const QString& text) {
    // Built by hand: QMessageBox's convenience functions always add an icon.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("MARROWPINE"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);  // paths may hold '<' and '&'
    box.exec();
}
