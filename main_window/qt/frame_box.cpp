#include "frame_box.h"

#include <QPainter>
#include <qdrawutil.h>

FrameBox::FrameBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent), caption_(caption) {
    setFocusPolicy(Qt::NoFocus);
}

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height() / 2;
    // An etched line, drawn here rather than by the style, which would put
    // the frame below a caption band.
    qDrawShadeRect(&painter, rect().adjusted(0, line, 0, 0), palette(), true, 1);

    // The caption interrupts the top line.
    const QRect text(6, 0, metrics.horizontalAdvance(caption_) + 4, metrics.height());
    painter.fillRect(text, palette().window());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(text, Qt::AlignCenter, caption_);
}
