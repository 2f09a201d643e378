#include "platform/forms/outputtextbox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTest>
#include <QTextCursor>

class PlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void shouldGiveBackExactlyTheTextItWasGivenAfterAnyEdit()
    {
        // Pieces that share beginnings and ends, so that the common parts of
        // two texts often end inside a line or inside a CR LF pair.
        const QStringList pieces = QStringLiteral("a\r\n|ab\r\n|\u20ac\r\n|\r\n|a|\r|\n|ba\r\n").split(u'|');
        QRandomGenerator random(20261206);
        qxm::OutputTextBox box;
        for (int round = 0; round < 500; ++round) {
            QString text;
            for (int i = random.bounded(8); i > 0; --i)
                text += pieces[random.bounded(pieces.size())];
            box.SetText(text);
            QCOMPARE(box.Text(), text);
            // The document breaks a line at each CR LF, and at a CR or LF alone.
            QCOMPARE(box.toPlainText(), QString(text)
                                            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                            .replace(QLatin1Char('\r'), QLatin1Char('\n')));
        }
    }

    void shouldCopyExactlyTheSelectedTextByHand_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from"); // document positions, where each line break is one
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("copied");
        const QString lines = QStringLiteral("ab\r\ncd\r\n");
        QTest::newRow("everything") << lines << 0 << 6 << lines;
        QTest::newRow("across a line break") << lines << 1 << 4 << QStringLiteral("b\r\nc");
        QTest::newRow("a line break alone") << lines << 2 << 3 << QStringLiteral("\r\n");
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
