#include "platform/forms/designfonts.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace qxm {

void InstallFontSubstitutes()
{
    const QStringList sansSerif{QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arimo"), QStringLiteral("Arial")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sansSerif);
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    // Windows' own dialog font, which Qt makes the windows' standard font
    // there. Wine names it too but ships it in a package of its own
    // (fonts-wine); without it, Qt would fall back to a serif face.
    for (const char *dialogFont : {"MS Shell Dlg 2", "MS Shell Dlg", "Tahoma"})
        QFont::insertSubstitutions(QString::fromLatin1(dialogFont), sansSerif);
}

void SetApplicationDesignFont()
{
    InstallFontSubstitutes();
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPointSizeF(8.0);
    // Where no substitute is installed, any proportional font is closer to
    // the design than a typewriter one.
    windowFont.setStyleHint(QFont::SansSerif);
    // Also replaces the fonts the desktop's theme gives single classes, such
    // as the tool tips'.
    QApplication::setFont(windowFont);
}

void FitFont(QWidget &control, QFont font, const std::function<bool()> &fits)
{
    constexpr qreal kStep = 0.25;
    const qreal smallest = font.pointSizeF() / 2;
    control.setFont(font);
    while (!fits() && font.pointSizeF() - kStep >= smallest) {
        font.setPointSizeF(font.pointSizeF() - kStep);
        control.setFont(font);
    }
}

void FitWrappedLabel(QLabel &label, const QFont &font)
{
    FitFont(label, font, [&label] { return label.heightForWidth(label.width()) <= label.height(); });
}

} // namespace qxm
