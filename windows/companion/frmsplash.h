#pragma once

#include "platform/form.h"

#include <QPointer>

#include <cstdint>

class QFrame;
class QLabel;
class QTimer;
class FrmMain;

// The start-up window: the logo and the product name, then every three
// seconds one of the maker's contact details; the fourth tick, any key that
// types a character, or a close request brings up the converter window and
// closes this one.
class frmSplash : public qxm::Form
{
    Q_OBJECT

public:
    explicit frmSplash(FrmMain &mainWindow);

    void Form_Load() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Timer1_Timer();
    void Form_KeyPress(int KeyAscii);
    void SetProductNameCaption(const QString &caption);

    QPointer<FrmMain> m_mainWindow;
    std::uint8_t TickCount = 0;

    QFrame *Frame1;
    QLabel *imgLogo;
    QLabel *lblProductName;
    QTimer *Timer1;
};
