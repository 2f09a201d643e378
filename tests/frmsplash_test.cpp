#include "platform/designfonts.h"
#include "platform/forminstance.h"
#include "windows/companion/frmsplash.h"
#include "windows/main/frmmain.h"

#include <QAccessible>
#include <QApplication>
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
    QPointer<frmSplash> m_splash;

    QString caption() const { return m_splash->findChild<QLabel *>(QStringLiteral("lblProductName"))->text(); }
    QTimer *timer() const { return m_splash->findChild<QTimer *>(QStringLiteral("Timer1")); }

    // A tick as the timer delivers it, without the three seconds' wait.
    void tick()
    {
        QTimerEvent event(timer()->timerId());
        QCoreApplication::sendEvent(timer(), &event);
    }

    bool mainVisible() const { return m_main.loaded() && m_main.loaded()->isVisible(); }

private slots:
    void initTestCase() { qxm::InstallFontSubstitutes(); }

    void init()
    {
        FrmMain &window = m_main.Load();
        m_splash = window.splashWindow();
        QVERIFY(m_splash);
        QVERIFY(QTest::qWaitForWindowExposed(m_splash));
    }

    void cleanup()
    {
        if (m_splash)
            m_splash->close();
        m_main.Unload();
    }

    void shouldStartWithOnlyTheSplashVisible()
    {
        QVERIFY(m_splash->isVisible());
        QVERIFY(!mainVisible());
        QCOMPARE(caption(), QStringLiteral("Quorvel Text Generator (QXM)"));
        QVERIFY(timer()->isActive());
        QCOMPARE(timer()->interval(), 3000);
    }

    void shouldShowTheContactDetailsTickByTickThenTheMainWindow()
    {
        const QString captions[] = {QStringLiteral("www.quorvel.example"), QStringLiteral("info@quorvel.example"),
                                    QStringLiteral("+44 7700 900123")};
        for (const QString &expected : captions) {
            tick();
            QCOMPARE(caption(), expected);
            QVERIFY(!mainVisible());
        }
        tick();
        QVERIFY(mainVisible());
        QTRY_VERIFY(!m_splash);
    }

    void shouldFillTheFontBeforeTheMainWindowFirstShows()
    {
        for (int i = 0; i < 4; ++i)
            tick();
        QVERIFY(mainVisible());
        auto *input = m_main.loaded()->findChild<QLineEdit *>(QStringLiteral("TxtInput"));
        QTest::keyClicks(input, QStringLiteral("A"));
        QCOMPARE(m_main.loaded()->findChild<QWidget *>(QStringLiteral("TxtOutput"))->property("plainText").toString(),
                 QStringLiteral("Data &H3F , &H44 , &H44 , &H44 , &H3F  'A\n"));
    }

    void shouldEndAtOnceOnAKeyThatTypesACharacter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("ticksBefore");
        QTest::newRow("letter before the first tick") << int(Qt::Key_A) << 0;
        QTest::newRow("digit after two ticks") << int(Qt::Key_7) << 2;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 1;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 3;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0;
    }

    void shouldEndAtOnceOnAKeyThatTypesACharacter()
    {
        QFETCH(int, key);
        QFETCH(int, ticksBefore);
        for (int i = 0; i < ticksBefore; ++i)
            tick();
        QTest::keyClick(m_splash, Qt::Key(key));
        QVERIFY(mainVisible());
        QTRY_VERIFY(!m_splash);
    }

    void shouldIgnoreClicksAndKeysWithoutACharacter_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("mouse click") << 0;
        QTest::newRow("arrow") << int(Qt::Key_Left);
        QTest::newRow("function key") << int(Qt::Key_F1);
        QTest::newRow("shift") << int(Qt::Key_Shift);
    }

    void shouldIgnoreClicksAndKeysWithoutACharacter()
    {
        QFETCH(int, key);
        if (key == 0)
            QTest::mouseClick(m_splash, Qt::LeftButton, {}, QPoint(140, 100));
        else
            QTest::keyClick(m_splash, Qt::Key(key));
        QTest::qWait(50);
        QVERIFY(m_splash);
        QVERIFY(m_splash->isVisible());
        QVERIFY(!mainVisible());
        tick();
        QCOMPARE(caption(), QStringLiteral("www.quorvel.example"));
    }

    void shouldTickEveryThreeSecondsOnItsOwn()
    {
        const int untilFirstTick = timer()->remainingTime();
        QVERIFY(untilFirstTick > 2500);
        QTest::qWait(untilFirstTick - 300);
        QCOMPARE(caption(), QStringLiteral("Quorvel Text Generator (QXM)"));
        QTRY_COMPARE_WITH_TIMEOUT(caption(), QStringLiteral("www.quorvel.example"), 2000);
    }

    void shouldReportATickCounterOverflowAndKeepRunning()
    {
        // Ticks past the fourth arrive only if closing the splash failed;
        // the counter must then stop with an error, not wrap to 0.
        m_splash->setAttribute(Qt::WA_DeleteOnClose, false);
        for (int i = 0; i < 255; ++i)
            tick();
        QCOMPARE(caption(), QStringLiteral("+44 7700 900123"));
        QVERIFY(!m_splash->findChild<QMessageBox *>());
        tick();
        QCOMPARE(caption(), QStringLiteral("+44 7700 900123"));
        const auto *message = m_splash->findChild<QMessageBox *>();
        QVERIFY(message);
        QVERIFY(message->isVisible());
        QVERIFY(!message->isModal());
        QCOMPARE(message->text(), QStringLiteral("Overflow: the splash window's tick counter passed 255"));
        QVERIFY(mainVisible());
    }

    void shouldEndOnTheDesktopsCloseRequestAsOnAKey_data()
    {
        QTest::addColumn<int>("ticksBefore");
        QTest::newRow("before the first tick") << 0;
        QTest::newRow("after three ticks") << 3;
    }

    void shouldEndOnTheDesktopsCloseRequestAsOnAKey()
    {
        QFETCH(int, ticksBefore);
        for (int i = 0; i < ticksBefore; ++i)
            tick();
        // What Alt+F4 or the window manager's close message turns into.
        m_splash->windowHandle()->close();
        QVERIFY(mainVisible());
        QTRY_VERIFY(!m_splash);
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
