#include "message_box.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

#include "texts.h"

namespace {

// The width a window manager's title bar needs for the title: the text in
// a title font (larger and bold, as title bars draw it) and room for the
// bar's icon and its buttons at either end.
int TitleBarWidth(const QWidget& box, const QString& title) {
    QFont font = box.font();
    font.setBold(true);
    font.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() * 3 / 2 : QFontInfo(font).pixelSize() * 3 / 2);
    const int buttons = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    return QFontMetrics(font).horizontalAdvance(title) + buttons;
}

}  // namespace

void ShowMessageBox(QWidget* parent, const QString& text) {
    // Built by hand: QMessageBox's convenience functions always add an icon.
    const QString title = QString::fromUtf8(Module1::kTitle);
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);  // paths may hold '<' and '&'
    // A short text would make the box narrower than its title, which the
    // window manager then cuts ("MA…NE"). The box sizes itself from its
    // layout, so the title's width goes in as a row of its own.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(TitleBarWidth(box, title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}
