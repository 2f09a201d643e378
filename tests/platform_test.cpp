#include "platform/form.h"
#include "platform/outputtextbox.h"
#include "platform/runtimeerrorexception.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace {

// What the document shows: CR LF, and CR or LF alone, each break a line.
QString Shown(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QString Lines(int first, int count)
{
    QString text;
    for (int line = first; line < first + count; ++line)
        text += QStringLiteral("line %1\r\n").arg(line);
    return text;
}

// A window whose button fails half-way, as a platform call can.
class FailingForm : public qxm::Form
{
public:
    FailingForm()
    {
        button = new QPushButton(this);
        ConnectHandler(button, &QPushButton::clicked, &FailingForm::Button_Click);
    }
    void ShowRunTimeError(const QString &message) override { reported = message; }
    void Button_Click()
    {
        stepsDone = 1;
        throw qxm::RunTimeErrorException(QStringLiteral("the platform said no"));
    }

    QPushButton *button;
    QString reported;
    int stepsDone = 0;
};

} // namespace

class PlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void shouldGiveBackExactlyTheTextAfterEveryKindOfChange_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("from empty") << QString() << Lines(0, 3);
        QTest::newRow("to empty") << Lines(0, 3) << QString();
        QTest::newRow("line added at the end") << Lines(0, 3) << Lines(0, 4);
        QTest::newRow("line removed in the middle") << Lines(0, 2) + Lines(5, 3) << Lines(0, 2) + Lines(6, 2);
        QTest::newRow("line inserted in the middle") << Lines(0, 2) + Lines(3, 2) << Lines(0, 5);
        QTest::newRow("first line changed") << Lines(0, 3) << QStringLiteral("other\r\n") + Lines(1, 2);
        QTest::newRow("same text") << Lines(0, 3) << Lines(0, 3);
        QTest::newRow("whole text replaced") << Lines(0, 3) << Lines(10, 2);
        QTest::newRow("repeated lines, one removed")
            << QStringLiteral("a\r\na\r\na\r\n") << QStringLiteral("a\r\na\r\n");
        QTest::newRow("text without a final line end") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nbc");
        QTest::newRow("characters outside Latin-1")
            << QStringLiteral("\u20ac\r\n") << QStringLiteral("\u20ac\r\n\u00e9\r\n");
    }

    void shouldGiveBackExactlyTheTextAfterEveryKindOfChange()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        qxm::OutputTextBox box;
        box.SetText(before);
        QCOMPARE(box.Text(), before);
        QCOMPARE(box.toPlainText(), Shown(before));
        box.SetText(after);
        QCOMPARE(box.Text(), after);
        QCOMPARE(box.toPlainText(), Shown(after));
    }

    void shouldFollowAnySequenceOfEdits()
    {
        // Lines that share beginnings and ends, so that the common parts of
        // two texts often end inside a line or inside a CR LF pair.
        const QStringList pieces{QStringLiteral("a\r\n"), QStringLiteral("ab\r\n"), QStringLiteral("b\r\n"),
                                 QStringLiteral("\r\n"),  QStringLiteral("a"),      QStringLiteral("\r"),
                                 QStringLiteral("\n"),    QStringLiteral("ba\r\n")};
        QRandomGenerator random(20261206);
        qxm::OutputTextBox box;
        for (int round = 0; round < 500; ++round) {
            QString text;
            const int count = random.bounded(8);
            for (int i = 0; i < count; ++i)
                text += pieces[random.bounded(pieces.size())];
            box.SetText(text);
            QCOMPARE(box.Text(), text);
            QCOMPARE(box.toPlainText(), Shown(text));
        }
    }

    void shouldScrollTheFirstChangedLineIntoView()
    {
        qxm::OutputTextBox box;
        box.resize(200, 100);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.SetText(Lines(0, 500));
        box.verticalScrollBar()->setValue(0);
        box.SetText(Lines(0, 500) + QStringLiteral("new\r\n"));
        const QRect lastLine = box.cursorRect(box.textCursor());
        QVERIFY(box.viewport()->rect().contains(lastLine));
        QCOMPARE(box.textCursor().block().text(), QStringLiteral("new"));
    }

    void shouldKeepGoingWithTheStepsDoneWhenAPlatformCallFails()
    {
        FailingForm form;
        form.button->click();
        QCOMPARE(form.stepsDone, 1);
        QCOMPARE(form.reported, QStringLiteral("the platform said no"));
        form.button->click();
        QCOMPARE(form.reported, QStringLiteral("the platform said no"));
    }

    void shouldCopyExactlyTheSelectedTextByHand_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from"); // document positions, where each line break is one
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("copied");
        QTest::newRow("everything") << Lines(0, 3) << 0 << 21 << Lines(0, 3);
        QTest::newRow("across a line break") << Lines(0, 3) << 5 << 13 << QStringLiteral("0\r\nline 1");
        QTest::newRow("a line break alone") << Lines(0, 3) << 13 << 14 << QStringLiteral("\r\n");
        QTest::newRow("after CR and LF alone") << QStringLiteral("a\rb\nc\r\nd") << 4 << 7 << QStringLiteral("c\r\nd");
    }

    void shouldCopyExactlyTheSelectedTextByHand()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, copied);
        qxm::OutputTextBox box;
        box.SetText(text);
        QTextCursor cursor(box.document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        box.setTextCursor(cursor);
        QTest::keySequence(&box, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
