#pragma once

#include <QPlainTextEdit>
#include <QString>

class QMimeData;

namespace qxm {

// A multi-line, read-only text box that gives back exactly the text it was
// given, CR LF line ends included (the document itself keeps lines without
// them), also to a copy by hand of any part of it. Setting a new text edits
// only the part that differs, so a long output follows each keystroke
// without laying out every line again.
class OutputTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit OutputTextBox(QWidget *parent = nullptr);

    const QString &Text() const { return m_text; }
    void SetText(const QString &text);

protected:
    // Ctrl+C, the context menu's Copy, the X11 selection and dragging all
    // take the selected part of the exact text.
    QMimeData *createMimeDataFromSelection() const override;

private:
    // The place in m_text of a document position: the inverse of
    // DocumentPosition.
    qsizetype TextPosition(qsizetype documentPosition) const;

    // The document position of a place in m_text that does not split a CR LF
    // pair: each pair before it is one block separator there.
    qsizetype DocumentPosition(qsizetype position) const;

    QString m_text;
    qsizetype m_lineEnds = 0; // CR LF pairs in m_text
};

} // namespace qxm
