#include "elided_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include "native_names.h"

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);  // paths may hold '<' and '&'
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

bool ElidedLabel::Fits(const QString& text) const {
    const QRect room = contentsRect();
    return fontMetrics().boundingRect(room, kFlags, text).height() <= room.height();
}

QString ElidedLabel::ShownText() const {
    const QString whole = text();
    if (whole == laid_out_ && contentsRect().size() == laid_out_size_) return shown_;
    laid_out_ = whole;
    laid_out_size_ = contentsRect().size();
    shown_ = whole;
    if (!Fits(whole)) {
        // The widest middle-elided form that still fits the label's lines.
        int low = 0, high = fontMetrics().horizontalAdvance(whole);
        while (low < high) {
            const int width = low + (high - low + 1) / 2;
            if (Fits(fontMetrics().elidedText(whole, Qt::ElideMiddle, width))) {
                low = width;
            } else {
                high = width - 1;
            }
        }
        shown_ = fontMetrics().elidedText(whole, Qt::ElideMiddle, low);
    }
    return shown_;
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(), kFlags, palette(), isEnabled(), ShownText(), foregroundRole());
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        // The whole text, only when it is not already on show.
        const QString shown = ShownText();
        if (shown != text()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), PlainToolTip(text()), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QLabel::event(event);
}
