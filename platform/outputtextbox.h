#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace qxm {

// A multi-line, read-only text box that gives back exactly the text it was
// given, CR LF line ends included (the document itself keeps lines without
// them). Setting a new text edits only the lines that differ, so a long
// output follows each keystroke without laying out every line again.
class OutputTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit OutputTextBox(QWidget *parent = nullptr);

    const QString &Text() const { return m_text; }
    void SetText(const QString &text);

private:
    // The document position of a line start in m_text: each CR LF before it
    // is one block separator there.
    qsizetype DocumentPosition(qsizetype lineStart) const;

    QString m_text;
    qsizetype m_lineEnds = 0; // CR LF pairs in m_text
};

} // namespace qxm
