#include "window_style.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionButton>
#include <algorithm>

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

int WindowStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void WindowStyle::DrawFocusMark(QPainter* painter, const QStyleOption& option, const QRect& rect) {
    // A dotted rectangle in the text's colour, as classic controls draw it.
    painter->save();
    QPen pen(option.palette.color(QPalette::WindowText), 1, Qt::DotLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
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
    if (!(option->state & State_HasFocus)) return;
    if (element == CE_RadioButton) {
        // Around the caption, within the button's 12 pixels.
        const QRect caption = subElementRect(SE_RadioButtonContents, option, widget);
        const int ink = option->fontMetrics.horizontalAdvance(static_cast<const QStyleOptionButton*>(option)->text);
        DrawFocusMark(painter, *option, QRect(caption.left() - 1, option->rect.top(),
                                               std::min(ink + 3, option->rect.right() - caption.left() + 2),
                                               option->rect.height()));
    } else if (element == CE_ShapedFrame && qobject_cast<const QAbstractItemView*>(widget) != nullptr) {
        // The list's frame in the selection's colour, as a text box's frame turns.
        painter->save();
        painter->setPen(option->palette.color(QPalette::Highlight));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

void WindowStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                     const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox && (option->state & State_HasFocus)) {
        DrawFocusMark(painter, *option, subControlRect(CC_ComboBox, option, SC_ComboBoxEditField, widget));
    }
}
