#pragma once

#include "platform/forms/form.h"

#include <QPointer>

#include <cstdint>

class QFrame;
class QLabel;
class QTimer;

// The start-up window: the logo and the product name, then every three
// seconds one of the maker's contact details; the fourth tick, any key that
// types a character, or a close request brings up the converter window and
// closes this one.
class frmSplash : public qxm::Form
{
    Q_OBJECT

public:
    // nextWindow: what the splash shows when it goes, the converter window.
    explicit frmSplash(QWidget &nextWindow);

    void Form_Load() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Timer1_Timer();
    void Form_KeyPress(int KeyAscii);
    void SetProductNameCaption(const QString &caption);

    QPointer<QWidget> m_nextWindow;
    std::uint8_t TickCount = 0;

    QFrame *Frame1;
    QLabel *imgLogo;
    QLabel *lblProductName;
    QTimer *Timer1;
};
