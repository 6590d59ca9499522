#include "message_box.h"

#include <QMessageBox>

#include "texts.h"

void ShowMessageBox(QWidget* parent, const QString& text) {
    // Built by hand: QMessageBox's convenience functions always add an icon.
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(Module1::kTitle), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);  // paths may hold '<' and '&'
    box.exec();
}
