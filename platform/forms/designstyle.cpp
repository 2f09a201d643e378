#include "platform/forms/designstyle.h"

#include "platform/forms/designfonts.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPushButton>
#include <QRect>
#include <QStyleOption>

#include <algorithm>

namespace qxm {

namespace {

// How thick the focus mark of a text box is: twice the box's own border,
// so that it shows also where the border's colour is close to the window's.
constexpr int kFocusRingWidth = 2;
// Where a button's focus rectangle runs: inside its bevel, around its text.
constexpr int kButtonFocusInset = 3;
// How far a pressed button's caption moves down and right.
constexpr int kButtonShift = 1;

// A bevel one pixel wide: light on the top and left edges, dark on the
// bottom and right ones, or the other way round for a sunken one.
void DrawBevel(QPainter &painter, const QRect &rect, const QColor &topLeft, const QColor &bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

void DrawFlatButton(QPainter &painter, const QStyleOption &option)
{
    const bool pressed = option.state & (QStyle::State_Sunken | QStyle::State_On);
    const QColor face = option.palette.color(QPalette::Button);
    const QColor light = face.lighter(150);
    const QColor shadow = face.darker(300);
    const QColor dark = face.darker(160);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(option.rect, pressed ? face.darker(110) : face);
    const QRect outer = option.rect;
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    if (pressed) {
        DrawBevel(painter, outer, shadow, light);
        DrawBevel(painter, inner, dark, face);
    } else {
        DrawBevel(painter, outer, light, shadow);
        DrawBevel(painter, inner, face, dark);
    }
    painter.restore();
}

void DrawFocusRing(QPainter &painter, const QStyleOption &option)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(option.palette.color(QPalette::Text), kFocusRingWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(option.rect)
            .adjusted(kFocusRingWidth / 2.0, kFocusRingWidth / 2.0, -kFocusRingWidth / 2.0, -kFocusRingWidth / 2.0));
    painter.restore();
}

bool IsFlatButton(const QStyleOption *option)
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    return button && (button->features & QStyleOptionButton::Flat);
}

} // namespace

void FitCaption(QPushButton &button)
{
    // Inside the rectangle's lines, less a pixel each side and the shift.
    const int room = button.width() - 2 * (kButtonFocusInset + 1) - 2 - kButtonShift;
    FitFont(button, button.font(),
            [&button, room] { return QFontMetricsF(button.font()).horizontalAdvance(button.text()) <= room; });
}

void DesignStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    const bool focused = option->state & State_HasFocus;
    switch (element) {
    case PE_FrameLineEdit:
    case PE_Frame:
        if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
            frame && focused && widget && widget->focusPolicy() != Qt::NoFocus) {
            QStyleOptionFrame unfocused(*frame);
            unfocused.state &= ~State_HasFocus;
            QProxyStyle::drawPrimitive(element, &unfocused, painter, widget);
            DrawFocusRing(*painter, *option);
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void DesignStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    if (element == CE_PushButtonBevel && IsFlatButton(option)) {
        DrawFlatButton(*painter, *option);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && (option->state & State_HasFocus)) {
        // A dotted rectangle inside the focused button, in its text's colour.
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(kButtonFocusInset, kButtonFocusInset, -kButtonFocusInset - 1,
                                                -kButtonFocusInset - 1));
        painter->restore();
    }
}

int DesignStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    // A pressed button's caption moves down and right, as the bevel turns.
    if ((metric == PM_ButtonShiftHorizontal || metric == PM_ButtonShiftVertical) && IsFlatButton(option))
        return kButtonShift;
    // Room for the focus ring of a text box with scroll bars.
    if (metric == PM_DefaultFrameWidth && qobject_cast<const QAbstractScrollArea *>(widget))
        return std::max(QProxyStyle::pixelMetric(metric, option, widget), kFocusRingWidth);
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace qxm
