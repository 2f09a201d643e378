#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <initializer_list>
#include <utility>

namespace qxm {

// Gives a control the colours of its design, role by role, on top of the
// palette it inherits (the system colours the design names come from there).
inline void SetColors(QWidget *widget, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colors)
{
    QPalette palette = widget->palette();
    for (const auto &[role, color] : colors)
        palette.setColor(role, color);
    widget->setPalette(palette);
}

} // namespace qxm
