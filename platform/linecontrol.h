#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace qxm {

// A straight line drawn on a window, from one point of its parent's client
// area to another; it takes no input and no focus.
class LineControl : public QWidget
{
    Q_OBJECT

public:
    LineControl(QPoint from, QPoint to, const QColor &color, int width, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_from;
    QPoint m_to;
    QColor m_color;
    int m_width;
};

} // namespace qxm
