#include "windows/companion/frmsplash.h"

#include "core/checkedarithmetic.h"
#include "core/productinfo.h"
#include "platform/forms/designfonts.h"
#include "platform/forms/picture.h"
#include "platform/forms/runtimeerrorexception.h"
#include "platform/forms/screenreader.h"

#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QRect>
#include <QTimer>

#include <algorithm>

namespace {

// The window's design, in pixels at 96 DPI. Frame1 stands at the window's
// corner, so the logo and the label inside it have the same coordinates in
// both.
namespace Design {
constexpr QSize Client(281, 201);
constexpr QRect Frame1(0, 0, 279, 197);
constexpr QRect imgLogo(8, 16, 259, 156);
constexpr QRect lblProductName(25, 176, 220, 19);
constexpr int lblProductNameCentre = lblProductName.x() + lblProductName.width() / 2;
constexpr char ProductNameFont[] = "Arial";
constexpr int ProductNamePoints = 12;
// A caption keeps this far from the inside of Frame1's box.
constexpr int ProductNameMargin = 1;
constexpr int TickMilliseconds = 3000;
} // namespace Design

} // namespace

frmSplash::frmSplash(QWidget &nextWindow)
    // No title bar, no close button.
    : qxm::Form(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_nextWindow(&nextWindow)
{
    setObjectName(QStringLiteral("frmSplash"));
    KeepOutOfTaskbar();
    // The caption stays empty; a screen reader names the window all the same.
    setAccessibleName(QString::fromUtf8(qxm::ProductInfo::ProductName));
    setFixedSize(Design::Client);
    // No control takes the focus, so every key reaches the window itself.
    setFocusPolicy(Qt::StrongFocus);

    // The box is drawn beneath the logo and the label, which belong to the
    // window itself: screen readers show the window and its content, not a
    // frame inside the window's frame.
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setGeometry(Design::Frame1);
    qxm::HideFromScreenReaders(*Frame1);

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(qxm::LoadPicture(QStringLiteral(":/resources/imglogo.png")));
    imgLogo->setGeometry(Design::imgLogo);
    imgLogo->setToolTip(QString::fromUtf8(qxm::ProductInfo::WebSite));
    imgLogo->setAccessibleName(QStringLiteral("LED display showing QXM and LED DATA"));

    lblProductName = new QLabel(this);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    lblProductName->setAlignment(Qt::AlignCenter);
    lblProductName->setGeometry(Design::lblProductName);
    SetProductNameCaption(QString::fromUtf8(qxm::ProductInfo::ProductName));

    Timer1 = new QTimer(Frame1);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(Design::TickMilliseconds);
    ConnectHandler(Timer1, &QTimer::timeout, &frmSplash::Timer1_Timer);
    CentreOnScreen();
}

void frmSplash::Form_Load()
{
    TickCount = 0;
    Timer1->start();
}

void frmSplash::Timer1_Timer()
{
    const auto next = qxm::CheckedAdd8(TickCount, 1);
    if (!next)
        throw qxm::RunTimeErrorException(QStringLiteral("Overflow: the splash window's tick counter passed 255"));
    TickCount = *next;
    switch (TickCount) {
    case 1:
        SetProductNameCaption(QString::fromUtf8(qxm::ProductInfo::WebSite));
        break;
    case 2:
        SetProductNameCaption(QString::fromUtf8(qxm::ProductInfo::Email));
        break;
    case 3:
        SetProductNameCaption(QString::fromUtf8(qxm::ProductInfo::Mobile));
        break;
    case 4:
        close();
        break;
    default:
        break;
    }
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    // Only keys that type a character count; arrows, function and shift
    // keys bring no text.
    const QString text = event->text();
    if (text.isEmpty()) {
        qxm::Form::keyPressEvent(event);
        return;
    }
    RunHandler([this, &text] { Form_KeyPress(text.at(0).unicode()); });
}

void frmSplash::Form_KeyPress(int)
{
    close();
}

void frmSplash::closeEvent(QCloseEvent *event)
{
    // However the splash ends, the fourth tick, a key or the desktop's close
    // request (Alt+F4), the converter window comes first: the user is never
    // left without a window.
    if (m_nextWindow)
        m_nextWindow->show();
    qxm::Form::closeEvent(event);
}

void frmSplash::SetProductNameCaption(const QString &caption)
{
    // The label fits its text and stays centred under the logo, but inside
    // the box: a stand-in font wider than the design's moves it towards the
    // box's middle, and where it is still too wide, takes a smaller size.
    const QRect room = Frame1->contentsRect()
                           .translated(Frame1->pos())
                           .adjusted(Design::ProductNameMargin, 0, -Design::ProductNameMargin, 0);
    lblProductName->setText(caption);
    qxm::FitFont(*lblProductName,
                 QFont(QString::fromLatin1(Design::ProductNameFont), Design::ProductNamePoints, QFont::Bold),
                 [this, &room] { return lblProductName->sizeHint().width() <= room.width(); });
    const int width = lblProductName->sizeHint().width();
    const int left = std::clamp(Design::lblProductNameCentre - width / 2, room.left(), room.right() + 1 - width);
    lblProductName->setGeometry(left, Design::lblProductName.y(), width, lblProductName->sizeHint().height());
}
