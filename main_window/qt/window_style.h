#pragma once

#include <QProxyStyle>

// The toolkit's style, fitted to the window's small controls: the option
// buttons are 12 pixels high, so their round indicator is smaller and their
// caption sits a pixel higher than the font's tall line box would put it.
// Buttons of boxes and dialogs carry no icons, as the classic boxes had none.
// Every control that holds the focus shows it: the base style leaves option
// buttons and the drive list without a mark that can be seen, and marks a
// list only on its selected row.
class WindowStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;

private:
    static void DrawFocusMark(QPainter* painter, const QStyleOption& option, const QRect& rect);
};
