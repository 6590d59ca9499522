#pragma once

#include <QLabel>

// A label that keeps the important ends of a long text: its text stays whole
// (a screen reader reads all of it), but when it does not fit in the label's
// lines it is shown shortened in the middle, so that the start of a path and
// the file name at its end both stay in view, and the tooltip shows it whole.
class ElidedLabel : public QLabel {
public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    // The text as it is drawn.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    static constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;
    bool Fits(const QString& text) const;

    // The last text laid out and its shortened form, so that a repaint does
    // not lay it out again.
    mutable QString laid_out_;
    mutable QSize laid_out_size_;
    mutable QString shown_;
};
