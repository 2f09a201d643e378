#include "platform/designfonts.h"
#include "platform/forminstance.h"
#include "platform/inprocessregistry.h"
#include "platform/outputtextbox.h"
#include "windows/companion/frmabout.h"
#include "windows/companion/frmsplash.h"
#include "windows/main/frmmain.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kLineH = QStringLiteral("Data &H7F , &H08 , &H08 , &H08 , &H7F  'H\r\n");
const QString kLineI = QStringLiteral("Data &H00 , &H11 , &H5F , &H01 , &H00  'i\r\n");
const QString kLineApostrophe = QStringLiteral("Data &H00 , &H50 , &H60 , &H00 , &H00  ''\r\n");

} // namespace

class FrmMainTest : public QObject
{
    Q_OBJECT

private:
    qxm::FormInstance<FrmMain> m_main;
    QLineEdit *input() const { return m_main.loaded()->findChild<QLineEdit *>(QStringLiteral("TxtInput")); }
    qxm::OutputTextBox *output() const
    {
        return m_main.loaded()->findChild<qxm::OutputTextBox *>(QStringLiteral("TxtOutput"));
    }
    QPushButton *button(const char *name) const
    {
        return m_main.loaded()->findChild<QPushButton *>(QString::fromLatin1(name));
    }
    QLabel *errorMessage() const { return m_main.loaded()->findChild<QLabel *>(QStringLiteral("LblRunTimeError")); }
    QString clipboardText() const { return QGuiApplication::clipboard()->text(); }

private slots:
    void initTestCase() { qxm::InstallFontSubstitutes(); }

    void init()
    {
        // Past the splash with a key, as a user in a hurry.
        FrmMain &window = m_main.Load();
        QVERIFY(window.splashWindow());
        QTest::keyClick(window.splashWindow(), Qt::Key_Space);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void cleanup() { m_main.Unload(); }

    void shouldConvertEachTypedCharacterAtOnce()
    {
        QTest::keyClicks(input(), QStringLiteral("H"));
        QCOMPARE(output()->Text(), kLineH);
        QTest::keyClicks(input(), QStringLiteral("i'"));
        QCOMPARE(output()->Text(), kLineH + kLineI + kLineApostrophe);
        QCOMPARE(output()->toPlainText(),
                 QString(kLineH + kLineI + kLineApostrophe).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void shouldRemoveExactlyTheLineOfADeletedMiddleCharacter()
    {
        QTest::keyClicks(input(), QStringLiteral("H'i"));
        input()->setCursorPosition(2);
        QTest::keyClick(input(), Qt::Key_Backspace);
        QCOMPARE(input()->text(), QStringLiteral("Hi"));
        QCOMPARE(output()->Text(), kLineH + kLineI);
    }

    void shouldNotAddALineBreakOnEnter()
    {
        QTest::keyClicks(input(), QStringLiteral("Hi"));
        QTest::keyClick(input(), Qt::Key_Return);
        QCOMPARE(input()->text(), QStringLiteral("Hi"));
        QCOMPARE(output()->Text(), kLineH + kLineI);
    }

    void shouldClearBothBoxesAndFocusTheInput_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty input") << QString();
        QTest::newRow("converted text") << QStringLiteral("Hi");
        QTest::newRow("stopped run") << QStringLiteral("Hi\tthere");
    }

    void shouldClearBothBoxesAndFocusTheInput()
    {
        QFETCH(QString, typed);
        input()->setText(typed);
        button("CmdClipBoard")->setFocus();
        QTest::mouseClick(button("CmdClear"), Qt::LeftButton);
        QCOMPARE(input()->text(), QString());
        QCOMPARE(output()->Text(), QString());
        QCOMPARE(output()->toPlainText(), QString());
        QVERIFY(input()->hasFocus());
        QVERIFY(errorMessage()->isHidden());
    }

    void shouldCopyTheExactTextToTheClipboard_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("copied");
        QTest::newRow("converted text") << QStringLiteral("Hi") << kLineH + kLineI;
        QTest::newRow("empty output") << QString() << QString();
        QTest::newRow("stopped run: the lines shown") << QStringLiteral("Hi\ti") << kLineH + kLineI;
    }

    void shouldCopyTheExactTextToTheClipboard()
    {
        QFETCH(QString, typed);
        QFETCH(QString, copied);
        QGuiApplication::clipboard()->setText(QStringLiteral("something from before"));
        input()->setText(typed);
        QTest::mouseClick(button("CmdClipBoard"), Qt::LeftButton);
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QVERIFY(data->hasText());
        QCOMPARE(clipboardText(), copied);
        QCOMPARE(data->formats(), QStringList{QStringLiteral("text/plain")});
    }

    void shouldReportAStoppedRunUntilARunCompletes()
    {
        QVERIFY(errorMessage()->isHidden());
        input()->setText(QStringLiteral("Hi\tthere"));
        QVERIFY(errorMessage()->isVisible());
        QCOMPARE(errorMessage()->text(),
                 QStringLiteral("Subscript out of range: character 3, tab (code 9), has no glyph"));
        QCOMPARE(input()->text(), QStringLiteral("Hi\tthere"));
        QCOMPARE(output()->Text(), kLineH + kLineI);

        input()->end(false);
        QTest::keyClicks(input(), QStringLiteral("!"));
        QVERIFY(errorMessage()->isVisible());
        input()->setCursorPosition(3);
        QTest::keyClick(input(), Qt::Key_Backspace);
        QVERIFY(errorMessage()->isHidden());
        QCOMPARE(input()->text(), QStringLiteral("Hithere!"));
    }

    void shouldAcceptTextBeyondQtsDefaultLimitAndReportTheOverflow()
    {
        input()->setText(QString(32767, QLatin1Char('x')));
        QCOMPARE(output()->Text().count(QStringLiteral("\r\n")), 32767);
        QVERIFY(errorMessage()->isHidden());
        QTest::keyClicks(input(), QStringLiteral("x"));
        QCOMPARE(input()->text().size(), 32768);
        QCOMPARE(output()->Text(), QString());
        QCOMPARE(errorMessage()->text(),
                 QStringLiteral("Overflow: the text has 32768 characters, at most 32767 can be converted"));
    }

    void shouldMoveFocusInTabOrder()
    {
        const QList<QWidget *> expected{input(), output(), button("CmdClear"), button("CmdClipBoard"),
                                        button("CmdHelp")};
        QVERIFY(input()->hasFocus());
        for (qsizetype i = 1; i <= expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected[i % expected.size()]);
        }
    }

    void shouldOpenOneAboutWindowHowOftenHelpIsClicked()
    {
        QTest::mouseClick(button("CmdHelp"), Qt::LeftButton);
        frmAbout *about = m_main.loaded()->aboutWindow();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QTest::mouseClick(button("CmdHelp"), Qt::LeftButton);
        QCOMPARE(m_main.loaded()->aboutWindow(), about);
        QCOMPARE(QApplication::topLevelWidgets().count(about), 1);
        QCOMPARE(m_main.loaded()->findChildren<frmAbout *>().size(), 1);
    }

    void shouldCloseTheAboutWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("OK clicked") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void shouldCloseTheAboutWindow()
    {
        QFETCH(int, key);
        QTest::mouseClick(button("CmdHelp"), Qt::LeftButton);
        QPointer<frmAbout> about = m_main.loaded()->aboutWindow();
        QVERIFY(about);
        auto *ok = about->findChild<QPushButton *>(QStringLiteral("cmdOK"));
        QTRY_VERIFY(ok->hasFocus());
        if (key == 0)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            QTest::keyClick(about, Qt::Key(key));
        QTRY_VERIFY(!about);
        QCOMPARE(m_main.loaded()->aboutWindow(), nullptr);
        QVERIFY(m_main.loaded()->isVisible());
    }

    void shouldKeepConvertingWhileTheAboutWindowIsOpen()
    {
        QTest::mouseClick(button("CmdHelp"), Qt::LeftButton);
        QVERIFY(m_main.loaded()->aboutWindow()->isVisible());
        m_main.loaded()->activateWindow();
        QTest::keyClicks(input(), QStringLiteral("Hi"));
        QCOMPARE(output()->Text(), kLineH + kLineI);
    }

    void shouldBuildTheAboutWindowAfreshAfterItWasClosed()
    {
        QTest::mouseClick(button("CmdHelp"), Qt::LeftButton);
        QPointer<frmAbout> first = m_main.loaded()->aboutWindow();
        first->close();
        QTRY_VERIFY(!first);
        QTest::mouseClick(button("CmdHelp"), Qt::LeftButton);
        frmAbout *second = m_main.loaded()->aboutWindow();
        QVERIFY(second);
        QVERIFY(second->isVisible());
        QCOMPARE(second->findChild<QLabel *>(QStringLiteral("lblDisclaimer"))->text(), frmAbout::DisclaimerText());
    }

    void shouldReadRegistryValuesThroughTheAboutWindow()
    {
        auto &registry = qxm::InProcessRegistry::instance();
        registry.clear();
        registry.setValue(qxm::kHkeyCurrentUser, "Software\\Quorvel\\QXM", "Gr\xFC\xDF", qxm::kRegSz,
                          {'C', 'a', 'f', 0xE9, 0x80, 0});
        registry.setValue(qxm::kHkeyCurrentUser, "Software\\Quorvel\\QXM", "Count", qxm::kRegDword, {5, 1, 0, 0});
        QTest::mouseClick(button("CmdHelp"), Qt::LeftButton);
        const frmAbout *about = m_main.loaded()->aboutWindow();

        const QString keyName = QStringLiteral("Software\\Quorvel\\QXM");
        // Names cross in the ANSI code page as well.
        const QString valueName = QStringLiteral("Gr\u00fc\u00df");
        QString value = QStringLiteral("old");
        QVERIFY(about->GetKeyValue(qxm::kHkeyCurrentUser, keyName, valueName, value));
        QCOMPARE(value, QStringLiteral("Caf\u00e9\u20ac"));
        QVERIFY(about->GetKeyValue(qxm::kHkeyCurrentUser, keyName, QStringLiteral("Count"), value));
        QCOMPARE(value, QStringLiteral("261"));
        QVERIFY(!about->GetKeyValue(qxm::kHkeyCurrentUser, keyName, QStringLiteral("Missing"), value));
        QCOMPARE(value, QString());
        QCOMPARE(registry.openHandleCount(), 0u);
        registry.clear();
    }

    void shouldShowTheContactTextOneItemPerLine()
    {
        const QString gap(74, QLatin1Char(' '));
        QCOMPARE(frmAbout::DisclaimerText(), QStringLiteral("Web Site : www.quorvel.example") + gap
                                                 + QStringLiteral("Email : info@quorvel.example") + gap
                                                 + QStringLiteral("Mobile : +44 7700 900123"));
    }

    void shouldNameItsPartsForScreenReaders_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name");
        QTest::newRow("input") << "TxtInput" << QAccessible::EditableText << "Enter your text";
        QTest::newRow("output") << "TxtOutput" << QAccessible::EditableText << "Converted text";
        QTest::newRow("converter window") << "FrmMain" << QAccessible::Window << "QXM 1.0 - www.quorvel.example";
        QTest::newRow("About window") << "frmAbout" << QAccessible::Dialog << "About www.quorvel.example";
    }

    void shouldNameItsPartsForScreenReaders()
    {
        QFETCH(QString, part);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, name);
        QTest::mouseClick(button("CmdHelp"), Qt::LeftButton);
        QObject *widget =
            part == QStringLiteral("FrmMain") ? m_main.loaded() : m_main.loaded()->findChild<QWidget *>(part);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QCOMPARE(accessible->role(), role);
        QCOMPARE(accessible->text(QAccessible::Name), name);
    }
};

QTEST_MAIN(FrmMainTest)
#include "frmmain_test.moc"
