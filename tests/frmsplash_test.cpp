#include "platform/forms/designfonts.h"
#include "platform/forms/forminstance.h"
#include "windows/companion/frmsplash.h"
#include "windows/main/frmmain.h"

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QWindow>

class FrmSplashTest : public QObject
{
    Q_OBJECT

private:
    qxm::FormInstance<FrmMain> m_main;
    QPointer<FrmMain> m_window;
    QPointer<frmSplash> m_splash;

    QString caption() const { return m_splash->findChild<QLabel *>(QStringLiteral("lblProductName"))->text(); }
    bool mainVisible() const { return m_window->isVisible(); }

    // A tick as the timer delivers it, without the three seconds' wait.
    void tick(int count = 1)
    {
        auto *timer = m_splash->findChild<QTimer *>(QStringLiteral("Timer1"));
        QCOMPARE(timer->interval(), 3000);
        QVERIFY(timer->isActive());
        for (int i = 0; i < count; ++i) {
            QTimerEvent event(timer->timerId());
            QCoreApplication::sendEvent(timer, &event);
        }
    }

private slots:
    void initTestCase() { qxm::SetApplicationDesignFont(); }

    void init()
    {
        m_window = &m_main.Load();
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *splash = qobject_cast<frmSplash *>(window); splash && splash->isVisible())
                m_splash = splash;
        }
        QVERIFY(QTest::qWaitForWindowExposed(m_splash));
    }

    void cleanup()
    {
        if (m_splash)
            m_splash->close();
        if (m_window)
            m_window->close();
    }

    void shouldShowTheContactDetailsTickByTickThenTheConverter()
    {
        const QString captions[] = {QStringLiteral("Quorvel Text Generator (QXM)"),
                                    QStringLiteral("www.quorvel.example"), QStringLiteral("info@quorvel.example"),
                                    QStringLiteral("+44 7700 900123")};
        const auto *name = m_splash->findChild<QLabel *>(QStringLiteral("lblProductName"));
        for (const QString &expected : captions) {
            QCOMPARE(caption(), expected);
            // Inside the box, whatever the fonts (CMakeLists.txt runs this with DejaVu alone too).
            QVERIFY(m_splash->findChild<QFrame *>(QStringLiteral("Frame1"))->contentsRect().contains(name->geometry()));
            QVERIFY(!mainVisible());
            tick();
        }
        QVERIFY(mainVisible());
        QTRY_VERIFY(!m_splash);
        // The font is filled by the time the converter shows.
        auto *input = m_window->findChild<QLineEdit *>(QStringLiteral("TxtInput"));
        QTest::keyClicks(input, QStringLiteral("A"));
        QCOMPARE(m_window->findChild<QWidget *>(QStringLiteral("TxtOutput"))->property("plainText"),
                 QStringLiteral("Data &H3F , &H44 , &H44 , &H44 , &H3F  'A\n"));
    }

    void shouldEndOnlyOnACharacterKeyOrTheDesktopsCloseRequest_data()
    {
        QTest::addColumn<int>("key"); // 0: a mouse click, -1: the desktop's close request (Alt+F4)
        QTest::addColumn<int>("ticksBefore");
        QTest::addColumn<bool>("ends");
        QTest::newRow("letter before the first tick") << int(Qt::Key_A) << 0 << true;
        QTest::newRow("Enter after a tick") << int(Qt::Key_Return) << 1 << true;
        QTest::newRow("Escape after three ticks") << int(Qt::Key_Escape) << 3 << true;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << true;
        QTest::newRow("close request") << -1 << 1 << true;
        QTest::newRow("mouse click") << 0 << 0 << false;
        QTest::newRow("arrow") << int(Qt::Key_Left) << 0 << false;
        QTest::newRow("function key") << int(Qt::Key_F1) << 2 << false;
        QTest::newRow("shift") << int(Qt::Key_Shift) << 0 << false;
    }

    void shouldEndOnlyOnACharacterKeyOrTheDesktopsCloseRequest()
    {
        QFETCH(int, key);
        QFETCH(int, ticksBefore);
        QFETCH(bool, ends);
        tick(ticksBefore);
        if (key == -1)
            m_splash->windowHandle()->close();
        else if (key == 0)
            QTest::mouseClick(m_splash, Qt::LeftButton, {}, QPoint(140, 100));
        else
            QTest::keyClick(m_splash, Qt::Key(key));
        QCOMPARE(mainVisible(), ends);
        if (ends)
            QTRY_VERIFY(!m_splash);
        else
            QVERIFY(m_splash->isVisible());
    }

    void shouldReportATickCounterOverflowInsteadOfWrapping()
    {
        // Ticks past the fourth arrive only if closing the splash failed.
        m_splash->setAttribute(Qt::WA_DeleteOnClose, false);
        tick(255);
        QVERIFY(!m_splash->findChild<QMessageBox *>());
        tick();
        QCOMPARE(caption(), QStringLiteral("+44 7700 900123"));
        QCOMPARE(m_splash->findChild<QMessageBox *>()->text(),
                 QStringLiteral("Overflow: the splash window's tick counter passed 255"));
    }

    void shouldBeANamedWindowWithoutACaption()
    {
        QAccessibleInterface *splash = QAccessible::queryAccessibleInterface(m_splash);
        QCOMPARE(splash->role(), QAccessible::Window);
        QCOMPARE(splash->text(QAccessible::Name), QStringLiteral("Quorvel Text Generator (QXM)"));
        QCOMPARE(m_splash->windowTitle(), QString());
    }
};

QTEST_MAIN(FrmSplashTest)
#include "frmsplash_test.moc"
