#pragma once

#include <QProxyStyle>

class QPushButton;

namespace qxm {

// Keeps a command button's caption inside the focus rectangle DesignStyle
// draws, a pixel clear of it on each side, also while a press moves the
// caption: in a smaller font where the caption is too wide at its own.
void FitCaption(QPushButton &button);

// The desktop's style, with what the windows' designs need on top of it:
// flat command buttons (QPushButton::setFlat) drawn in their own button
// colour, sunken while pressed, and a focus mark that shows plainly on any
// background, the windows' highlight colour included.
class DesignStyle : public QProxyStyle
{
    Q_OBJECT

public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};

} // namespace qxm
