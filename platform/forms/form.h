#pragma once

#include "platform/forms/runtimeerrorexception.h"

#include <QDialog>
#include <QWidget>

#include <functional>

class QEvent;
class QShowEvent;
class QString;

namespace qxm {

// Base of the program's windows, over a plain window or a dialog. A window
// is built from its design in the constructor; Form_Load runs after that and
// before the window is first shown (FormInstance calls it). Event handlers
// are connected through ConnectHandler, so that a platform failure inside
// one ends that handler only and reaches the user through ShowRunTimeError.
template <typename Widget>
class BasicForm : public Widget
{
public:
    explicit BasicForm(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    virtual void Form_Load() {}

    // Runs Form_Load as the runtime does when it loads the window.
    void RunFormLoad();

    // How this window tells the user that a handler stopped. The default is a
    // message box that does not block the window.
    virtual void ShowRunTimeError(const QString &message);

protected:
    // Places the window, at its fixed size, in the middle of the screen; once
    // the desktop has put a frame around it, the frame is what is centred.
    void CentreOnScreen();

    // Asks the desktop to leave the window out of its taskbar.
    void KeepOutOfTaskbar() { m_inTaskbar = false; }

    // A window that appears takes the keyboard, also where no window manager
    // would hand it over.
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

    template <typename Derived, typename Sender, typename Signal>
    void ConnectHandler(Sender *sender, Signal signal, void (Derived::*handler)())
    {
        QObject::connect(sender, signal, this, [this, handler] {
            RunHandler([this, handler] { std::invoke(handler, static_cast<Derived *>(this)); });
        });
    }

    void RunHandler(const std::function<void()> &handler);

private:
    void RequestActivation();
    // Centres the frame, once, as soon as the platform knows it.
    void CentreKnownFrame();

    bool m_inTaskbar = true;
    bool m_centreFrame = false;
};

extern template class BasicForm<QWidget>;
extern template class BasicForm<QDialog>;

using Form = BasicForm<QWidget>;
using DialogForm = BasicForm<QDialog>;

} // namespace qxm
