#include "platform/forms/clipboard.h"

#include "platform/forms/runtimeerrorexception.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace qxm::Clipboard {

namespace {

QClipboard &SystemClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        throw RunTimeErrorException(QStringLiteral("There is no clipboard on this system."));
    return *clipboard;
}

} // namespace

void Clear()
{
    SystemClipboard().clear(QClipboard::Clipboard);
}

void SetText(const QString &text)
{
    QClipboard &clipboard = SystemClipboard();
    clipboard.setText(text, QClipboard::Clipboard);
    // Qt reports no failure of its own: read the text back to know.
    if (clipboard.text(QClipboard::Clipboard) != text)
        throw RunTimeErrorException(
            QStringLiteral("The clipboard did not take the text; it may be held by another program."));
}

} // namespace qxm::Clipboard
