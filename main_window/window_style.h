#pragma once

#include <QProxyStyle>

// The toolkit's style, fitted to the window's small controls: the option
// buttons are 12 pixels high, so their round indicator must be smaller.
class WindowStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
