#include "platform/forms/designfonts.h"
#include "platform/forms/forminstance.h"
#include "platform/forms/outputtextbox.h"
#include "tests/testregistry.h"
#include "windows/companion/frmabout.h"
#include "windows/companion/frmsplash.h"
#include "windows/main/frmmain.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextLayout>

namespace {

const QString kLineH = QStringLiteral("Data &H7F , &H08 , &H08 , &H08 , &H7F  'H\r\n");
const QString kLineI = QStringLiteral("Data &H00 , &H11 , &H5F , &H01 , &H00  'i\r\n");
const QString kLineApostrophe = QStringLiteral("Data &H00 , &H50 , &H60 , &H00 , &H00  ''\r\n");

// The lines a word-wrapping label shows its text in.
QStringList WrappedLines(const QLabel *label)
{
    QTextLayout layout(label->text(), label->font());
    layout.setTextOption(QTextOption(Qt::AlignLeft));
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->contentsRect().width());
        lines << label->text().mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

// The program's one shown window of a class, as the desktop has it (a closed
// one may linger until it is deleted).
template <typename Form>
Form *Window()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *form = qobject_cast<Form *>(window); form && form->isVisible())
            return form;
    }
    return nullptr;
}

} // namespace

class FrmMainTest : public QObject
{
    Q_OBJECT

private:
    qxm::FormInstance<FrmMain> m_main;
    QPointer<FrmMain> m_window;
    template <typename Widget = QWidget>
    Widget *control(const char *name, QWidget *window = nullptr) const
    {
        return (window ? window : m_window.data())->findChild<Widget *>(QString::fromLatin1(name));
    }
    QLineEdit *input() const { return control<QLineEdit>("TxtInput"); }
    qxm::OutputTextBox *output() const { return control<qxm::OutputTextBox>("TxtOutput"); }
    QLabel *errorMessage() const { return control<QLabel>("LblRunTimeError"); }
    void click(const char *button) const { QTest::mouseClick(control(button), Qt::LeftButton); }
    // A click (no key), or a key pressed while the control has the focus.
    void Press(const char *name, int key) const
    {
        control(name)->setFocus();
        if (key)
            QTest::keyClick(control(name), Qt::Key(key));
        else
            click(name);
    }

private slots:
    void initTestCase() { qxm::SetApplicationDesignFont(); }

    void init()
    {
        // Past the splash with a key, as a user in a hurry.
        m_window = &m_main.Load();
        QTest::keyClick(Window<frmSplash>(), Qt::Key_Space);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

    void cleanup()
    {
        if (m_window)
            m_window->close();
    }

    void shouldConvertEachKeystrokeAtOnce()
    {
        QTest::keyClicks(input(), QStringLiteral("H"));
        QCOMPARE(output()->Text(), kLineH);
        QTest::keyClicks(input(), QStringLiteral("'i"));
        QTest::keyClick(input(), Qt::Key_Return);
        QCOMPARE(output()->Text(), kLineH + kLineApostrophe + kLineI);
        QCOMPARE(output()->toPlainText(), QString(kLineH + kLineApostrophe + kLineI).remove(QLatin1Char('\r')));
        input()->setCursorPosition(2);
        QTest::keyClick(input(), Qt::Key_Backspace);
        QCOMPARE(output()->Text(), kLineH + kLineI);
    }

    void shouldCopyTheExactTextToTheClipboard_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("pressed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("copied");
        const QByteArray button("CmdClipBoard");
        const QString hi = QStringLiteral("Hi");
        QTest::newRow("empty output") << QString() << button << 0 << QString();
        QTest::newRow("stopped run: the lines shown") << QStringLiteral("Hi\ti") << button << 0 << kLineH + kLineI;
        QTest::newRow("converted text, Return on the button") << hi << button << int(Qt::Key_Return) << kLineH + kLineI;
        QTest::newRow("keypad Enter on the button") << hi << button << int(Qt::Key_Enter) << kLineH + kLineI;
        QTest::newRow("Return in the input box: no copy")
            << hi << QByteArray("TxtInput") << int(Qt::Key_Return) << QStringLiteral("before");
    }

    void shouldCopyTheExactTextToTheClipboard()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, pressed);
        QFETCH(int, key);
        QFETCH(QString, copied);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        input()->setText(typed);
        Press(pressed.constData(), key);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
    }

    void shouldReportAStoppedRunKeepingTheTextUntilClearAllEmptiesBothBoxes()
    {
        input()->setText(QStringLiteral("Hi\tthere"));
        QCOMPARE(errorMessage()->text(),
                 QStringLiteral("Subscript out of range: character 3, tab (code 9), has no glyph"));
        QVERIFY(errorMessage()->isVisible());
        QCOMPARE(output()->Text(), kLineH + kLineI);
        QCOMPARE(input()->text(), QStringLiteral("Hi\tthere"));
        // Clicked, then by Return with both boxes empty.
        for (const int key : {0, int(Qt::Key_Return)}) {
            Press("CmdClear", key);
            QCOMPARE(input()->text(), QString());
            QCOMPARE(output()->Text(), QString());
            QVERIFY(input()->hasFocus());
            QVERIFY(errorMessage()->isHidden());
        }
    }

    void shouldAcceptTextBeyondQtsDefaultLimitAndReportTheOverflow()
    {
        input()->setText(QString(32767, QLatin1Char('x')));
        QCOMPARE(output()->Text().size(), 32767 * kLineH.size());
        QTest::keyClicks(input(), QStringLiteral("x"));
        QCOMPARE(input()->text().size(), 32768);
        QCOMPARE(output()->Text(), QString());
        QVERIFY(errorMessage()->text().startsWith(QStringLiteral("Overflow: ")));
    }

    void shouldMoveFocusInTabOrderAndShowEachToolTip()
    {
        const std::pair<const char *, const char *> order[] = {{"TxtOutput", "Converted text "},
                                                               {"CmdClear", "Clear all Data"},
                                                               {"CmdClipBoard", "Put Text in ClipBoard"},
                                                               {"CmdHelp", "Help"},
                                                               {"TxtInput", "Enter your text "}};
        QCOMPARE(QApplication::focusWidget(), input());
        for (const auto &[name, toolTip] : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), control(name));
            QCOMPARE(control(name)->toolTip(), QString::fromLatin1(toolTip));
        }
    }

    void shouldOpenOneAboutWindowWithOneContactItemPerLine()
    {
        click("CmdHelp");
        click("CmdHelp");
        auto *about = Window<frmAbout>();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(m_window->findChildren<frmAbout *>().size(), 1);
        QCOMPARE(
            WrappedLines(control<QLabel>("lblDisclaimer", about)),
            (QStringList{QStringLiteral("Web Site : www.quorvel.example"),
                         QStringLiteral("Email : info@quorvel.example"), QStringLiteral("Mobile : +44 7700 900123")}));
        QTest::keyClicks(input(), QStringLiteral("H"));
        QCOMPARE(output()->Text(), kLineH);
    }

    void shouldCloseTheAboutWindow_data()
    {
        // How Help, then OK, is pressed: a click (no key) or a key.
        QTest::addColumn<int>("helpKey");
        QTest::addColumn<int>("key");
        QTest::newRow("clicked") << 0 << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::Key_Enter);
        QTest::newRow("Escape") << 0 << int(Qt::Key_Escape);
    }

    void shouldCloseTheAboutWindow()
    {
        QFETCH(int, helpKey);
        QFETCH(int, key);
        Press("CmdHelp", helpKey);
        QPointer<frmAbout> about = Window<frmAbout>();
        QVERIFY(about);
        QTRY_VERIFY(control("cmdOK", about)->hasFocus());
        if (key == 0)
            QTest::mouseClick(control("cmdOK", about), Qt::LeftButton);
        else
            QTest::keyClick(about, Qt::Key(key));
        QTRY_VERIFY(!about);
        QVERIFY(m_window->isVisible());
    }

    void shouldReadRegistryValuesThroughTheAboutWindowInTheAnsiCodePage()
    {
        TestRegistry registry;
        const std::string key = std::string(TestRegistry::kTestKey) + "\\About";
        registry.SetValue(qxm::kHkeyCurrentUser, key, "Gr\xFC\xDF", qxm::kRegSz, {'C', 0xE9, 0x80, 0});
        click("CmdHelp");
        QString value = QStringLiteral("old");
        QVERIFY(Window<frmAbout>()->GetKeyValue(qxm::kHkeyCurrentUser, QString::fromStdString(key),
                                                QStringLiteral("Gr\u00fc\u00df"), value));
        QCOMPARE(value, QStringLiteral("C\u00e9\u20ac"));
    }

    void shouldNameItsPartsForScreenReaders_data()
    {
        QTest::addColumn<QByteArray>("part");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name");
        QTest::newRow("input") << QByteArray("TxtInput") << QAccessible::EditableText << "Enter your text";
        QTest::newRow("output") << QByteArray("TxtOutput") << QAccessible::EditableText << "Converted text";
        QTest::newRow("converter window") << QByteArray() << QAccessible::Window << "QXM 1.0 - www.quorvel.example";
        QTest::newRow("About window") << QByteArray("frmAbout") << QAccessible::Dialog << "About www.quorvel.example";
        QTest::newRow("maker's mark") << QByteArray("Picture1") << QAccessible::Graphic << "Q in red LED dots";
        QTest::newRow("About picture") << QByteArray("picIcon") << QAccessible::Graphic
                                       << "LED display showing QXM and 5x7 LED";
    }

    void shouldNameItsPartsForScreenReaders()
    {
        QFETCH(QByteArray, part);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, name);
        click("CmdHelp");
        QWidget *widget = part.isEmpty() ? m_window : control(part.constData());
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QCOMPARE(accessible->role(), role);
        QCOMPARE(accessible->text(QAccessible::Name), name);
    }

    // Run also with DejaVu alone installed (see CMakeLists.txt).
    void shouldShowEveryTextWholeAndUncovered()
    {
        input()->setText(QStringLiteral("Hi\tthere"));
        click("CmdHelp");
        for (QWidget *window : {static_cast<QWidget *>(m_window), static_cast<QWidget *>(Window<frmAbout>())}) {
            QList<QWidget *> texts;
            for (QWidget *part : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                const auto *label = qobject_cast<QLabel *>(part);
                const auto *button = qobject_cast<QPushButton *>(part);
                if (!button && !(label && label->isVisible() && !label->text().isEmpty()))
                    continue;
                // A wrapped label's lines in its height; a caption inside the focus rectangle (3 pixels
                // in), a pixel clear of it, also when pressed. Labels widen to fit: they must not cover.
                QVERIFY(label ? !label->wordWrap() || label->heightForWidth(label->width()) <= label->height()
                              : button->fontMetrics().horizontalAdvance(button->text()) <= button->width() - 11);
                // The design stacks its labels one pixel row into each other.
                for (const QWidget *other : texts)
                    QVERIFY2(!other->geometry().adjusted(0, 0, -1, -1).intersects(part->geometry()),
                             qPrintable(part->objectName()));
                texts.append(part);
            }
        }
    }
};

QTEST_MAIN(FrmMainTest)
#include "frmmain_test.moc"
