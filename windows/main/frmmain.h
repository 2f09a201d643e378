#pragma once

#include "core/glyphfont.h"
#include "platform/forms/form.h"
#include "platform/forms/forminstance.h"

#include <QFont>

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class frmAbout;
class frmSplash;

namespace qxm {
class LineControl;
class OutputTextBox;
} // namespace qxm

// The converter window: every change of the input reconverts the whole text
// into the output box.
class FrmMain : public qxm::Form
{
    Q_OBJECT

public:
    explicit FrmMain(QWidget *parent = nullptr);
    ~FrmMain() override;

    void Form_Load() override;
    void ShowRunTimeError(const QString &message) override;

private:
    void TxtInput_Change();
    void CmdClear_Click();
    void CmdClipBoard_Click();
    void CmdHelp_Click();

    void ShowConversionError(const QString &message);
    void UpdateErrorMessage();

    qxm::GlyphFont CharData;
    std::int16_t CharPos = 0;

    QLabel *LblInput;
    QLineEdit *TxtInput;
    QLabel *LblOutput;
    qxm::OutputTextBox *TxtOutput;
    QPushButton *CmdClear;
    QPushButton *CmdClipBoard;
    qxm::LineControl *Line1;
    QLabel *Picture1;
    QLabel *Name;
    QLabel *WebSite;
    QPushButton *CmdHelp;
    QLabel *Email;
    QLabel *Mobile;
    QLabel *LblRunTimeError;

    // Why the last run stopped, and why the last command failed: each goes
    // away when its own kind of action next succeeds.
    QString m_conversionError;
    QString m_commandError;
    QFont m_messageFont;

    qxm::FormInstance<frmSplash> m_splash;
    qxm::FormInstance<frmAbout> m_about;
};
