#include "platform/linecontrol.h"

#include <QPainter>
#include <QPen>
#include <QRect>

namespace qxm {

LineControl::LineControl(QPoint from, QPoint to, const QColor &color, int width, QWidget *parent)
    : QWidget(parent)
    , m_from(from)
    , m_to(to)
    , m_color(color)
    , m_width(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(QRect(from, to).normalized().adjusted(0, 0, width, width));
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(m_color, m_width, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    const QPoint origin = geometry().topLeft();
    const QPointF half(m_width / 2.0, m_width / 2.0);
    painter.drawLine(QPointF(m_from - origin) + half, QPointF(m_to - origin) + half);
}

} // namespace qxm
