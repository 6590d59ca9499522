#pragma once

#include <QGroupBox>

// A frame with its caption set into the top border line, the way the
// window's layout was drawn: children are placed from the frame's own top
// left corner, and the caption takes no room from them. A group box, so that
// a screen reader hears its option buttons as one group under its caption.
class FrameBox : public QGroupBox {
public:
    FrameBox(const QString& caption, QWidget* parent);
    QString Caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};
