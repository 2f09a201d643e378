#include "platform/forms/form.h"

#include "platform/forms/desktophints.h"
#include "platform/forms/screenreader.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRect>
#include <QScreen>
#include <QShowEvent>
#include <QString>
#include <QWindow>

namespace qxm {

namespace {

void CentreFrame(QWidget &window, QSize frameSize)
{
    if (const QScreen *screen = window.screen()) {
        QRect frame(QPoint(), frameSize);
        frame.moveCenter(screen->availableGeometry().center());
        // A window's position is its frame's.
        window.move(frame.topLeft());
    }
}

} // namespace

template <typename Widget>
BasicForm<Widget>::BasicForm(QWidget *parent, Qt::WindowFlags flags)
    : Widget(parent, flags)
{
    PresentFormsToScreenReaders();
    // Closing a window unloads it: its state goes, and the next show builds
    // it afresh from its design.
    this->setAttribute(Qt::WA_DeleteOnClose);
}

template <typename Widget>
void BasicForm<Widget>::CentreOnScreen()
{
    // The frame is not known before the window manager has framed the
    // window, so the client area is centred first.
    CentreFrame(*this, this->size());
    m_centreFrame = true;
}

template <typename Widget>
void BasicForm<Widget>::CentreKnownFrame()
{
    if (m_centreFrame && this->frameGeometry().size() != this->size()) {
        m_centreFrame = false;
        CentreFrame(*this, this->frameGeometry().size());
    }
}

template <typename Widget>
void BasicForm<Widget>::showEvent(QShowEvent *event)
{
    Widget::showEvent(event);
    if (event->spontaneous())
        return;
    // Windows frames a window as it is created, before it is shown: centre
    // that frame now (it has its caption above the client area, so the
    // centred client area would leave the frame low).
    CentreKnownFrame();
    // Told before the window is mapped: desktops read these hints then.
    if (!m_inTaskbar)
        SkipTaskbar(*this);
    ShowExactCaption(*this);
    // Asked once the window is really on screen: some platforms ignore a
    // request for a window that is not mapped yet.
    QMetaObject::invokeMethod(this, &BasicForm::RequestActivation, Qt::QueuedConnection);
}

template <typename Widget>
void BasicForm<Widget>::RequestActivation()
{
    // Hidden or closed again before the request ran: nothing to bring forward.
    if (!this->isVisible())
        return;
    // A window that has just been closed (the splash, ended by a key) loses
    // its surface at once but can still be, or become again, the
    // application's focus window until it is deleted. Qt's Wayland platform
    // asks the desktop for the activation through the focus window's
    // surface and crashes on one without; so the request waits until that
    // window is gone.
    if (QWindow *focus = QGuiApplication::focusWindow(); focus && !focus->handle()) {
        QObject::connect(focus, &QObject::destroyed, this, &BasicForm::RequestActivation, Qt::QueuedConnection);
        return;
    }
    this->activateWindow();
}

template <typename Widget>
bool BasicForm<Widget>::event(QEvent *event)
{
    // An X11 window manager moves the window into its frame once it is mapped.
    if (event->type() == QEvent::Move && this->isVisible())
        CentreKnownFrame();
    return Widget::event(event);
}

template <typename Widget>
void BasicForm<Widget>::RunFormLoad()
{
    RunHandler([this] { Form_Load(); });
}

template <typename Widget>
void BasicForm<Widget>::ShowRunTimeError(const QString &message)
{
    auto *box = new QMessageBox(QMessageBox::Warning, this->windowTitle(), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

template <typename Widget>
void BasicForm<Widget>::RunHandler(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const RunTimeErrorException &error) {
        ShowRunTimeError(error.message());
    }
}

template class BasicForm<QWidget>;
template class BasicForm<QDialog>;

} // namespace qxm
