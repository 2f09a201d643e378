#include "windows/main/frmmain.h"

#include "core/chardata.h"
#include "core/conversion.h"
#include "core/fontdata.h"
#include "core/productinfo.h"
#include "core/runtimeerrortext.h"
#include "core/windows1252codepage.h"
#include "platform/forms/clipboard.h"
#include "platform/forms/designfonts.h"
#include "platform/forms/designstyle.h"
#include "platform/forms/linecontrol.h"
#include "platform/forms/outputtextbox.h"
#include "platform/forms/picture.h"
#include "platform/forms/screenreader.h"
#include "platform/forms/widgetcolors.h"
#include "platform/text/qtext.h"
#include "windows/companion/frmabout.h"
#include "windows/companion/frmsplash.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRect>

#include <algorithm>
#include <limits>

namespace {

// The window's design, in pixels of the client area at 96 DPI.
namespace Design {
constexpr QSize Client(305, 377);
const QString Caption = QStringLiteral("QXM 1.0 - ") + QLatin1String(qxm::ProductInfo::WebSite);
const QColor LightGreen(192, 255, 192);
constexpr char InputFont[] = "MS Sans Serif";
constexpr qreal InputFontPoints = 9.75;

constexpr QRect LblInput(8, 8, 81, 17);
constexpr QRect TxtInput(8, 24, 289, 27);
constexpr QRect LblOutput(8, 56, 81, 17);
constexpr QRect TxtOutput(8, 72, 289, 193);
constexpr QRect CmdClear(104, 272, 57, 25);
constexpr QRect CmdClipBoard(184, 272, 113, 25);
constexpr QPoint Line1From(8, 304);
constexpr QPoint Line1To(296, 304);
constexpr QRect Picture1(8, 312, 20, 14);
constexpr QRect Name(32, 312, 81, 17);
constexpr QRect WebSite(32, 328, 153, 17);
constexpr QRect CmdHelp(224, 336, 73, 25);
constexpr QRect Email(32, 344, 153, 17);
constexpr QRect Mobile(32, 360, 137, 17);
// Where a stopped run is reported: the free strip beside the input label,
// so that no message box ever interrupts the typing.
constexpr QRect LblRunTimeError(92, 1, 205, 23);
constexpr int LabelGap = LblRunTimeError.left() - (LblInput.right() + 1);
} // namespace Design

// Labels stand on the window's highlight-coloured background.
QLabel *MakeLabel(const QString &name, const QString &text, const QRect &geometry, const QColor &textColor,
                  QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    // Where the installed font is wider than the designed one, grow to the
    // right rather than cut the text off.
    label->setGeometry(geometry);
    label->resize(std::max(geometry.width(), label->sizeHint().width()), geometry.height());
    label->setAutoFillBackground(true);
    qxm::SetColors(
        label, {{QPalette::Window, label->palette().color(QPalette::Highlight)}, {QPalette::WindowText, textColor}});
    return label;
}

QPushButton *MakeButton(const QString &name, const QString &text, const QString &toolTip, const QRect &geometry,
                        const QColor &background, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setGeometry(geometry);
    // Return and Enter press the focused button, as on Windows. Qt gives a
    // button that only inside a dialog; this window has no default button,
    // so Enter in the input box still presses none.
    button->setAutoDefault(true);
    // A coloured command button is flat: one colour, no gradient.
    button->setFlat(true);
    qxm::SetColors(button, {{QPalette::Button, background}});
    qxm::FitCaption(*button);
    return button;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/resources/qxm-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

FrmMain::FrmMain(QWidget *parent)
    : qxm::Form(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(Design::Caption);
    setWindowIcon(ProgramIcon());
    setFixedSize(Design::Client);
    qxm::SetColors(this, {{QPalette::Window, palette().color(QPalette::Highlight)}});
    setAutoFillBackground(true);
    const QColor toolTipBase = palette().color(QPalette::ToolTipBase);
    const QColor highlightText = palette().color(QPalette::HighlightedText);

    LblInput =
        MakeLabel(QStringLiteral("LblInput"), QStringLiteral("Enter your text :"), Design::LblInput, toolTipBase, this);

    TxtInput = new QLineEdit(this);
    TxtInput->setObjectName(QStringLiteral("TxtInput"));
    TxtInput->setToolTip(QStringLiteral("Enter your text "));
    TxtInput->setAccessibleName(QStringLiteral("Enter your text"));
    TxtInput->setGeometry(Design::TxtInput);
    // Qt's default cap of 32767 would hide the conversion's own length limit.
    TxtInput->setMaxLength(std::numeric_limits<int>::max());
    {
        QFont inputFont(QString::fromLatin1(Design::InputFont));
        inputFont.setPointSizeF(Design::InputFontPoints);
        // The whole line is laid out again on every keystroke; skipping
        // shaping where the script needs none keeps long texts responsive.
        inputFont.setStyleStrategy(QFont::PreferNoShaping);
        TxtInput->setFont(inputFont);
    }
    qxm::SetColors(TxtInput, {{QPalette::Base, toolTipBase}});

    LblOutput = MakeLabel(QStringLiteral("LblOutput"), QStringLiteral("Converted text :"), Design::LblOutput,
                          Design::LightGreen, this);

    TxtOutput = new qxm::OutputTextBox(this);
    TxtOutput->setObjectName(QStringLiteral("TxtOutput"));
    TxtOutput->setToolTip(QStringLiteral("Converted text "));
    TxtOutput->setAccessibleName(QStringLiteral("Converted text"));
    TxtOutput->setGeometry(Design::TxtOutput);
    qxm::SetColors(TxtOutput, {{QPalette::Base, Design::LightGreen}});

    CmdClear = MakeButton(QStringLiteral("CmdClear"), QStringLiteral("Clear all"), QStringLiteral("Clear all Data"),
                          Design::CmdClear, toolTipBase, this);
    CmdClipBoard = MakeButton(QStringLiteral("CmdClipBoard"), QStringLiteral("Put Text in Clip Board"),
                              QStringLiteral("Put Text in ClipBoard"), Design::CmdClipBoard, toolTipBase, this);

    Line1 = new qxm::LineControl(Design::Line1From, Design::Line1To, palette().color(QPalette::WindowText), 1, this);
    Line1->setObjectName(QStringLiteral("Line1"));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(qxm::LoadPicture(QStringLiteral(":/resources/picture1.png")));
    Picture1->setGeometry(Design::Picture1);
    Picture1->setAccessibleName(QStringLiteral("Q in red LED dots"));

    Name = MakeLabel(QStringLiteral("Name"), QString::fromUtf8(qxm::ProductInfo::MakerName), Design::Name,
                     highlightText, this);
    WebSite = MakeLabel(QStringLiteral("WebSite"),
                        QStringLiteral("Web Site : ") + QString::fromUtf8(qxm::ProductInfo::WebSite), Design::WebSite,
                        highlightText, this);
    CmdHelp = MakeButton(QStringLiteral("CmdHelp"), QStringLiteral("Help"), QStringLiteral("Help"), Design::CmdHelp,
                         Design::LightGreen, this);
    Email = MakeLabel(QStringLiteral("Email"), QStringLiteral("E-Mail : ") + QString::fromUtf8(qxm::ProductInfo::Email),
                      Design::Email, highlightText, this);
    Mobile =
        MakeLabel(QStringLiteral("Mobile"), QStringLiteral("Mobile : ") + QString::fromUtf8(qxm::ProductInfo::Mobile),
                  Design::Mobile, highlightText, this);

    LblRunTimeError = new QLabel(this);
    LblRunTimeError->setObjectName(QStringLiteral("LblRunTimeError"));
    {
        // Clear of the input label, which a wider stand-in font makes longer.
        QRect strip = Design::LblRunTimeError;
        strip.setLeft(std::max(strip.left(), LblInput->geometry().right() + 1 + Design::LabelGap));
        LblRunTimeError->setGeometry(strip);
    }
    LblRunTimeError->setWordWrap(true);
    LblRunTimeError->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LblRunTimeError->setMargin(1);
    m_messageFont = font();
    m_messageFont.setPointSizeF(m_messageFont.pointSizeF() - 1);
    LblRunTimeError->setFont(m_messageFont);
    qxm::AnnounceWhenShown(*LblRunTimeError);
    // Dark red on a light strip, light red on a dark one (a dark desktop
    // theme): readable either way.
    const QColor errorText = toolTipBase.lightnessF() < 0.5 ? QColor(255, 150, 150) : QColor(160, 0, 0);
    qxm::SetColors(LblRunTimeError, {{QPalette::Window, toolTipBase}, {QPalette::WindowText, errorText}});
    LblRunTimeError->setAutoFillBackground(true);
    LblRunTimeError->hide();

    setTabOrder(TxtInput, TxtOutput);
    setTabOrder(TxtOutput, CmdClear);
    setTabOrder(CmdClear, CmdClipBoard);
    setTabOrder(CmdClipBoard, CmdHelp);
    TxtInput->setFocus();

    ConnectHandler(TxtInput, &QLineEdit::textChanged, &FrmMain::TxtInput_Change);
    ConnectHandler(CmdClear, &QPushButton::clicked, &FrmMain::CmdClear_Click);
    ConnectHandler(CmdClipBoard, &QPushButton::clicked, &FrmMain::CmdClipBoard_Click);
    ConnectHandler(CmdHelp, &QPushButton::clicked, &FrmMain::CmdHelp_Click);

    CentreOnScreen();
}

FrmMain::~FrmMain() = default;

void FrmMain::Form_Load()
{
    // The splash is the only window while the table fills; it shows this
    // window when it goes.
    hide();
    m_splash.Show(*this);
    qxm::FillCharData(CharData);
}

void FrmMain::TxtInput_Change()
{
    const QString text = TxtInput->text();
    const qxm::FontDataResult result =
        qxm::ConvertText(CharData, qxm::Windows1252CodePage::Instance(), qxm::Utf16View(text));
    CharPos = qxm::CharPosAfter(static_cast<std::size_t>(text.size()), result.error);
    TxtOutput->SetText(QString::fromStdString(result.text));
    ShowConversionError(result.error ? QString::fromStdString(qxm::DescribeRunTimeError(*result.error)) : QString());
}

void FrmMain::CmdClear_Click()
{
    TxtInput->setText(QString());
    TxtInput->setFocus();
}

void FrmMain::CmdClipBoard_Click()
{
    qxm::Clipboard::Clear();
    qxm::Clipboard::SetText(TxtOutput->Text());
    m_commandError.clear();
    UpdateErrorMessage();
}

void FrmMain::CmdHelp_Click()
{
    m_about.Show(this);
}

void FrmMain::ShowRunTimeError(const QString &message)
{
    m_commandError = message;
    UpdateErrorMessage();
}

void FrmMain::ShowConversionError(const QString &message)
{
    m_conversionError = message;
    // A completed run also settles an earlier command failure.
    if (message.isEmpty())
        m_commandError.clear();
    UpdateErrorMessage();
}

void FrmMain::UpdateErrorMessage()
{
    const QString &message = m_commandError.isEmpty() ? m_conversionError : m_commandError;
    if (message == LblRunTimeError->text())
        return;
    LblRunTimeError->setText(message);
    LblRunTimeError->setToolTip(message);
    // The whole message in its strip, in a smaller font where needed.
    qxm::FitWrappedLabel(*LblRunTimeError, m_messageFont);
    LblRunTimeError->setVisible(!message.isEmpty());
}
