#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace qxm {

// A multi-line, read-only text box that gives back exactly the text it was
// given, CR LF line ends included (the document itself keeps lines without
// them). Setting a new text edits only the part that differs, so a long
// output follows each keystroke without laying out every line again.
class OutputTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit OutputTextBox(QWidget *parent = nullptr);

    const QString &Text() const { return m_text; }
    void SetText(const QString &text);

private:
    // The document position of a place in m_text that does not split a CR LF
    // pair: each pair before it is one block separator there.
    qsizetype DocumentPosition(qsizetype position) const;

    QString m_text;
    qsizetype m_lineEnds = 0; // CR LF pairs in m_text
};

} // namespace qxm
