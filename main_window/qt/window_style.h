#pragma once

#include <QProxyStyle>

// The toolkit's style, fitted to the window's small controls: the option
// buttons are 12 pixels high, so their round indicator is smaller and their
// caption sits a pixel higher than the font's tall line box would put it.
class WindowStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};
