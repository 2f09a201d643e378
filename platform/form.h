#pragma once

#include "platform/runtimeerrorexception.h"

#include <QWidget>

#include <functional>

class QString;

namespace qxm {

// Base of the program's windows. A window is built from its design in the
// constructor; Form_Load runs after that and before the window is first shown
// (FormInstance calls it). Event handlers are connected through
// ConnectHandler, so that a platform failure inside one ends that handler
// only and reaches the user through ShowRunTimeError.
class Form : public QWidget
{
    Q_OBJECT

public:
    explicit Form(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    virtual void Form_Load() {}

    // Runs Form_Load as the runtime does when it loads the window.
    void RunFormLoad();

    // How this window tells the user that a handler stopped. The default is a
    // message box that does not block the window.
    virtual void ShowRunTimeError(const QString &message);

protected:
    // Places the window, at its fixed size, in the middle of the screen.
    void CentreOnScreen();

    // A window that appears takes the keyboard, also where no window manager
    // would hand it over.
    void showEvent(QShowEvent *event) override;

    template <typename Derived, typename Sender, typename Signal>
    void ConnectHandler(Sender *sender, Signal signal, void (Derived::*handler)())
    {
        connect(sender, signal, this, [this, handler] {
            RunHandler([this, handler] { std::invoke(handler, static_cast<Derived *>(this)); });
        });
    }

    void RunHandler(const std::function<void()> &handler);
};

} // namespace qxm
