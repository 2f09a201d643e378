#include "windows/companion/frmabout.h"

#include "core/productinfo.h"
#include "platform/forms/designfonts.h"
#include "platform/forms/designstyle.h"
#include "platform/forms/linecontrol.h"
#include "platform/forms/picture.h"
#include "platform/forms/widgetcolors.h"
#include "platform/text/ansicodepage.h"
#include "windows/companion/keyvaluereader.h"

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRect>

namespace {

// The window's design, in pixels at 96 DPI; the client area's place on the
// screen is part of it (the window is not centred).
namespace Design {
constexpr QRect Client(156, 129, 490, 317);
const QString Caption = QStringLiteral("About ") + QLatin1String(qxm::ProductInfo::WebSite);
const QColor DarkBlue(0, 0, 128);
const QColor LightGreen(128, 255, 128);
const QColor White(255, 255, 255);
constexpr int SpacesBetweenItems = 74;

constexpr QRect picIcon(0, 0, 487, 261);
constexpr QPoint Line1From(0, 264);
constexpr QPoint Line1To(488, 264);
constexpr int Line1Width = 2;
constexpr QRect lblDisclaimer(8, 272, 385, 39);
constexpr QRect cmdOK(400, 272, 84, 23);
} // namespace Design

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : qxm::DialogForm(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    KeepOutOfTaskbar();
    setWindowTitle(Design::Caption);
    if (parent)
        setWindowIcon(parent->windowIcon());
    setGeometry(Design::Client);
    setFixedSize(Design::Client.size());
    qxm::SetColors(this, {{QPalette::Window, Design::DarkBlue}});
    setAutoFillBackground(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(qxm::LoadPicture(QStringLiteral(":/resources/picicon.png")));
    picIcon->setGeometry(Design::picIcon);
    picIcon->setAccessibleName(QStringLiteral("LED display showing QXM and 5x7 LED"));

    Line1 = new qxm::LineControl(Design::Line1From, Design::Line1To, Design::White, Design::Line1Width, this);
    Line1->setObjectName(QStringLiteral("Line1"));

    lblDisclaimer = new QLabel(DisclaimerText(), this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setTextFormat(Qt::PlainText);
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDisclaimer->setGeometry(Design::lblDisclaimer);
    lblDisclaimer->setAutoFillBackground(true);
    qxm::SetColors(lblDisclaimer, {{QPalette::Window, Design::DarkBlue}, {QPalette::WindowText, Design::LightGreen}});
    // All three lines, also in a stand-in font taller than the design's.
    qxm::FitWrappedLabel(*lblDisclaimer, lblDisclaimer->font());

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Design::cmdOK);
    qxm::FitCaption(*cmdOK);
    // OK is both the default button (Return and Enter) and the cancel one:
    // Escape rejects the dialog, which closes it as OK does.
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    ConnectHandler(cmdOK, &QPushButton::clicked, &frmAbout::cmdOK_Click);
}

QString frmAbout::DisclaimerText()
{
    const QString gap(Design::SpacesBetweenItems, QLatin1Char(' '));
    return QStringLiteral("Web Site : ") + QString::fromUtf8(qxm::ProductInfo::WebSite) + gap
           + QStringLiteral("Email : ") + QString::fromUtf8(qxm::ProductInfo::Email) + gap + QStringLiteral("Mobile : ")
           + QString::fromUtf8(qxm::ProductInfo::Mobile);
}

bool frmAbout::GetKeyValue(qint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal) const
{
    std::string value;
    const bool read = qxm::GetKeyValue(KeyRoot, qxm::ToAnsiCodePage(KeyName), qxm::ToAnsiCodePage(SubKeyRef), value);
    KeyVal = qxm::FromAnsiCodePage(value);
    return read;
}

void frmAbout::cmdOK_Click()
{
    close();
}
