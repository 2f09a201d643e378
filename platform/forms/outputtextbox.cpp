#include "platform/forms/outputtextbox.h"

#include <QMimeData>
#include <QStringView>
#include <QTextCursor>

#include <algorithm>
#include <cstring>

namespace qxm {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

qsizetype CountLineEnds(QStringView text)
{
    qsizetype count = 0;
    for (qsizetype i = text.indexOf(u'\n', 1); i >= 0; i = text.indexOf(u'\n', i + 1))
        count += text[i - 1] == u'\r';
    return count;
}

// Whole blocks through memcmp first: the texts run to megabytes and differ
// in a line or two.
qsizetype CommonPrefixLength(QStringView a, QStringView b)
{
    const qsizetype length = std::min(a.size(), b.size());
    constexpr qsizetype kBlock = 1024;
    qsizetype same = 0;
    while (same + kBlock <= length && std::memcmp(a.data() + same, b.data() + same, kBlock * sizeof(QChar)) == 0)
        same += kBlock;
    while (same < length && a[same] == b[same])
        ++same;
    return same;
}

qsizetype CommonSuffixLength(QStringView a, QStringView b, qsizetype limit)
{
    constexpr qsizetype kBlock = 1024;
    qsizetype same = 0;
    while (same + kBlock <= limit) {
        const QChar *blockA = a.data() + a.size() - same - kBlock;
        const QChar *blockB = b.data() + b.size() - same - kBlock;
        if (std::memcmp(blockA, blockB, kBlock * sizeof(QChar)) != 0)
            break;
        same += kBlock;
    }
    while (same < limit && a[a.size() - 1 - same] == b[b.size() - 1 - same])
        ++same;
    return same;
}

} // namespace

OutputTextBox::OutputTextBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

qsizetype OutputTextBox::DocumentPosition(qsizetype position) const
{
    // Count on the shorter side of the position.
    const QStringView text(m_text);
    if (position <= text.size() / 2)
        return position - CountLineEnds(text.left(position));
    return position - (m_lineEnds - CountLineEnds(text.mid(position)));
}

qsizetype OutputTextBox::TextPosition(qsizetype documentPosition) const
{
    // Each CR LF pair before the place is one character more in m_text.
    qsizetype position = documentPosition;
    for (qsizetype pair = m_text.indexOf(kLineEnd); pair >= 0 && pair < position;
         pair = m_text.indexOf(kLineEnd, pair + kLineEnd.size()))
        ++position;
    return position;
}

QMimeData *OutputTextBox::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    const qsizetype from = TextPosition(cursor.selectionStart());
    const qsizetype to = TextPosition(cursor.selectionEnd());
    auto *data = new QMimeData;
    data->setText(m_text.mid(from, to - from));
    return data;
}

void OutputTextBox::SetText(const QString &text)
{
    const QStringView before(m_text);
    const QStringView after(text);
    qsizetype prefix = CommonPrefixLength(before, after);
    if (prefix == before.size() && prefix == after.size())
        return;
    // A CR LF pair is one line break in the document: never keep half of it.
    if (prefix > 0 && before[prefix - 1] == u'\r')
        --prefix;
    qsizetype suffix = CommonSuffixLength(before, after, std::min(before.size(), after.size()) - prefix);
    const qsizetype endBefore = before.size() - suffix;
    const qsizetype endAfter = after.size() - suffix;
    if (suffix > 0 && before[endBefore] == u'\n'
        && ((endBefore > 0 && before[endBefore - 1] == u'\r') || (endAfter > 0 && after[endAfter - 1] == u'\r')))
        --suffix;

    const QStringView removed = before.mid(prefix, before.size() - suffix - prefix);
    QString inserted = after.mid(prefix, after.size() - suffix - prefix).toString();
    const qsizetype removedLineEnds = CountLineEnds(removed);
    const qsizetype insertedLineEnds = CountLineEnds(inserted);
    // Every break the document's way: a CR left alone after the pairs are
    // replaced would pair up with the LF behind it.
    inserted.replace(kLineEnd, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));

    const qsizetype from = DocumentPosition(prefix);
    const qsizetype to = from + removed.size() - removedLineEnds;
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(from));
    cursor.setPosition(static_cast<int>(to), QTextCursor::KeepAnchor);
    cursor.insertText(inserted);

    m_text = text;
    m_lineEnds += insertedLineEnds - removedLineEnds;

    // Bring the first change into view, as a reader following the typing expects.
    cursor.setPosition(static_cast<int>(from));
    setTextCursor(cursor);
    ensureCursorVisible();
}

} // namespace qxm
