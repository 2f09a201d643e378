#include "platform/form.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QRect>
#include <QScreen>
#include <QShowEvent>
#include <QString>

namespace qxm {

Form::Form(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    // Closing a window unloads it: its state goes, and the next show builds
    // it afresh from its design.
    setAttribute(Qt::WA_DeleteOnClose);
}

void Form::CentreOnScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Form::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Asked once the window is really on screen: some platforms ignore a
    // request for a window that is not mapped yet.
    if (!event->spontaneous())
        QMetaObject::invokeMethod(this, &QWidget::activateWindow, Qt::QueuedConnection);
}

void Form::RunFormLoad()
{
    RunHandler([this] { Form_Load(); });
}

void Form::ShowRunTimeError(const QString &message)
{
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void Form::RunHandler(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const RunTimeErrorException &error) {
        ShowRunTimeError(error.message());
    }
}

} // namespace qxm
