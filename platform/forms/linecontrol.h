#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace qxm {

// A horizontal or vertical line drawn on a window, from one point of its
// parent's client area to another; it takes no input and no focus.
class LineControl : public QWidget
{
    Q_OBJECT

public:
    LineControl(QPoint from, QPoint to, const QColor &color, int width, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
};

} // namespace qxm
