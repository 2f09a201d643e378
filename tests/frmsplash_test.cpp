#include "platform/forms/designfonts.h"
#include "platform/forms/forminstance.h"
#include "windows/companion/frmsplash.h"
#include "windows/main/frmmain.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QRect>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QWindow>

// The splash's name for screen readers and its empty caption are checked
// from outside, by tests/desktop.
class FrmSplashTest : public QObject
{
    Q_OBJECT

private:
    qxm::FormInstance<FrmMain> m_main;
    QPointer<FrmMain> m_window;
    QPointer<frmSplash> m_splash;

    QLabel *label() const { return m_splash->findChild<QLabel *>(QStringLiteral("lblProductName")); }

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
        delete m_splash;
        delete m_window;
    }

    void shouldShowTheContactDetailsUntilACharacterKeyTheCloseRequestOrTheFourthTick_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("caption"); // shown after those ticks
        QTest::addColumn<int>("key");         // 0: none, -1: the desktop's close request (Alt+F4), -2: a mouse click
        QTest::addColumn<bool>("ends");
        QTest::newRow("letter before the first tick") << 0 << "Quorvel Text Generator (QXM)" << int(Qt::Key_A) << true;
        QTest::newRow("mouse click") << 0 << "Quorvel Text Generator (QXM)" << -2 << false;
        QTest::newRow("close request after a tick") << 1 << "www.quorvel.example" << -1 << true;
        QTest::newRow("arrow after two ticks") << 2 << "info@quorvel.example" << int(Qt::Key_Left) << false;
        QTest::newRow("shift after three ticks") << 3 << "+44 7700 900123" << int(Qt::Key_Shift) << false;
        QTest::newRow("Escape after three ticks") << 3 << "+44 7700 900123" << int(Qt::Key_Escape) << true;
        QTest::newRow("the fourth tick") << 4 << "" << 0 << true;
    }

    void shouldShowTheContactDetailsUntilACharacterKeyTheCloseRequestOrTheFourthTick()
    {
        QFETCH(int, ticks);
        QFETCH(QString, caption);
        QFETCH(int, key);
        QFETCH(bool, ends);
        tick(ticks);
        if (ticks < 4) {
            QVERIFY(!m_window->isVisible());
            QCOMPARE(label()->text(), caption);
            // Inside the box, whatever the fonts (CMakeLists.txt runs this with DejaVu alone too).
            const QRect box = m_splash->findChild<QFrame *>(QStringLiteral("Frame1"))->contentsRect();
            QVERIFY(box.contains(label()->geometry()));
        }
        if (key == -1)
            m_splash->windowHandle()->close();
        else if (key == -2)
            QTest::mouseClick(m_splash, Qt::LeftButton, {}, QPoint(140, 100));
        else if (key != 0)
            QTest::keyClick(m_splash, Qt::Key(key));
        QCOMPARE(m_window->isVisible(), ends);
        QTRY_COMPARE(m_splash.isNull(), ends);
    }

    void shouldReportATickCounterOverflowInsteadOfWrapping()
    {
        // Ticks past the fourth arrive only if closing the splash failed.
        m_splash->setAttribute(Qt::WA_DeleteOnClose, false);
        tick(255);
        QVERIFY(!m_splash->findChild<QMessageBox *>());
        tick();
        QCOMPARE(m_splash->findChild<QMessageBox *>()->text(),
                 QStringLiteral("Overflow: the splash window's tick counter passed 255"));
    }
};

QTEST_MAIN(FrmSplashTest)
#include "frmsplash_test.moc"
