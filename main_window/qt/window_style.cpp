#include "window_style.h"

#include <QStyleOptionButton>

int WindowStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return 11;
    case PM_RadioButtonLabelSpacing:
        return 4;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void WindowStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    if (element == CE_RadioButtonLabel) {
        // The line box of a CJK font has more room below the ink than above,
        // so centring it leaves descenders ("/", "g") under a 12-pixel edge.
        if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
            QStyleOptionButton raised = *button;
            raised.rect.adjust(0, -2, 0, 0);
            QProxyStyle::drawControl(element, &raised, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
