#include "outputtextbox.h"

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
    while (same + kBlock <= limit
           && std::memcmp(a.data() + a.size() - same - kBlock, b.data() + b.size() - same - kBlock,
                          kBlock * sizeof(QChar))
               == 0)
        same += kBlock;
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

qsizetype OutputTextBox::DocumentPosition(qsizetype lineStart) const
{
    // Count on the shorter side of the position.
    const QStringView text(m_text);
    if (lineStart <= text.size() / 2)
        return lineStart - CountLineEnds(text.left(lineStart));
    return lineStart - (m_lineEnds - CountLineEnds(text.mid(lineStart)));
}

void OutputTextBox::SetText(const QString &text)
{
    const QStringView before(m_text);
    const QStringView after(text);
    const qsizetype prefix = CommonPrefixLength(before, after);
    if (prefix == before.size() && prefix == after.size())
        return;
    const qsizetype suffix = CommonSuffixLength(before, after, std::min(before.size(), after.size()) - prefix);

    // Widen the change to whole lines: the document edits blocks, and a CR LF
    // pair must not be split between kept and replaced text.
    const qsizetype start = before.left(prefix).lastIndexOf(u'\n') + 1;
    qsizetype endBefore = before.size() - suffix;
    qsizetype endAfter = after.size() - suffix;
    if (endBefore > start && before[endBefore - 1] != u'\n') {
        const qsizetype lineEnd = before.indexOf(u'\n', endBefore);
        const qsizetype shift = lineEnd < 0 ? before.size() - endBefore : lineEnd + 1 - endBefore;
        endBefore += shift;
        endAfter += shift;
    }

    const QStringView removed = before.mid(start, endBefore - start);
    QString inserted = after.mid(start, endAfter - start).toString();
    const qsizetype removedLineEnds = CountLineEnds(removed);
    const qsizetype insertedLineEnds = CountLineEnds(inserted);
    inserted.replace(kLineEnd, QStringLiteral("\n"));

    const qsizetype from = DocumentPosition(start);
    const qsizetype to = from + removed.size() - removedLineEnds;
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(from));
    cursor.setPosition(static_cast<int>(to), QTextCursor::KeepAnchor);
    cursor.insertText(inserted);

    m_text = text;
    m_lineEnds += insertedLineEnds - removedLineEnds;

    // Bring the first changed line into view, as a reader following the typing expects.
    cursor.setPosition(static_cast<int>(from));
    setTextCursor(cursor);
    ensureCursorVisible();
}

} // namespace qxm
