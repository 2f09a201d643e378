#include "platform/forms/linecontrol.h"

#include "platform/forms/screenreader.h"

#include <QPainter>
#include <QRect>

namespace qxm {

LineControl::LineControl(QPoint from, QPoint to, const QColor &color, int width, QWidget *parent)
    : QWidget(parent)
    , m_color(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // A line only divides its window.
    HideFromScreenReaders(*this);
    // As Windows' forms draw a line: from its first pixel up to, not
    // including, its last one, thickened downwards or to the right.
    const QRect ends = QRect(from, to).normalized();
    if (from.y() == to.y())
        setGeometry(ends.left(), ends.top(), ends.width() - 1, width);
    else
        setGeometry(ends.left(), ends.top(), width, ends.height() - 1);
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), m_color);
}

} // namespace qxm
