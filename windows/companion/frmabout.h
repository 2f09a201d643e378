#pragma once

#include "platform/forms/form.h"

class QLabel;
class QPushButton;

namespace qxm {
class LineControl;
}

// The About window: the maker's picture and contact details, closed by OK,
// Enter, Escape or the title bar's close button. Modeless, one instance.
class frmAbout : public qxm::DialogForm
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Reads one registry value, KeyVal receiving its text; false, with KeyVal
    // empty, when the key or the value cannot be read. KeyName and SubKeyRef
    // are left as the caller wrote them. Offered to callers; the program
    // itself does not read the registry.
    bool GetKeyValue(qint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal) const;

private:
    // The contact text: one line that the label's width wraps into one line
    // per item, the runs of spaces falling at the wrap points.
    static QString DisclaimerText();

    void cmdOK_Click();

    QLabel *picIcon;
    qxm::LineControl *Line1;
    QLabel *lblDisclaimer;
    QPushButton *cmdOK;
};
