#include "message_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

#include "form1_description.h"
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

// Swallows the keys that come before the box has been on screen for its
// moment, whatever they were meant for: the box is modal, so no other
// window of the program takes keys meanwhile.
class EarlyKeyGuard : public QObject {
public:
    explicit EarlyKeyGuard(QWidget* box) : box_(box) { qApp->installEventFilter(this); }
    ~EarlyKeyGuard() override { qApp->removeEventFilter(this); }
    EarlyKeyGuard(const EarlyKeyGuard&) = delete;
    EarlyKeyGuard& operator=(const EarlyKeyGuard&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
            if (watched == box_) shown_.start();
            return false;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:  // the override is not taken, so the shortcut would act
            return !shown_.isValid() || shown_.elapsed() < Form1Description::kBoxKeyDelay.count();
        default:
            return false;
        }
    }

private:
    QWidget* box_;
    QElapsedTimer shown_;
};

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
    const EarlyKeyGuard guard(&box);
    box.exec();
}
