#include "platform/forms/designfonts.h"
#include "platform/forms/designstyle.h"
#include "platform/forms/forminstance.h"
#include "platform/forms/outputtextbox.h"
#include "windows/companion/frmsplash.h"
#include "windows/main/frmmain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// The converter window as a user has it: past the splash, with a long text
// typed.
class Window
{
public:
    explicit Window(int length)
    {
        FrmMain &window = m_main.Load();
        m_window = &window;
        for (QWidget *splash : QApplication::topLevelWidgets()) {
            if (qobject_cast<frmSplash *>(splash) && splash->isVisible())
                QTest::keyClick(splash, Qt::Key_Space);
        }
        (void)QTest::qWaitForWindowExposed(&window);
        input = window.findChild<QLineEdit *>(QStringLiteral("TxtInput"));
        output = window.findChild<qxm::OutputTextBox *>(QStringLiteral("TxtOutput"));
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(u' ' + i % 95);
        input->setText(text);
        QApplication::processEvents();
    }
    ~Window()
    {
        if (m_window)
            m_window->close();
    }

    QLineEdit *input = nullptr;
    qxm::OutputTextBox *output = nullptr;

private:
    qxm::FormInstance<FrmMain> m_main;
    QPointer<FrmMain> m_window;
};

// One key typed at the end of the text, until the output box has been
// updated and repainted.
void BM_Keystroke_AppendAtEnd(benchmark::State &state)
{
    Window window(static_cast<int>(state.range(0)) - 1);
    for ([[maybe_unused]] auto _ : state) {
        window.input->end(false);
        QTest::keyClick(window.input, Qt::Key_X);
        QApplication::processEvents();
        state.PauseTiming();
        QTest::keyClick(window.input, Qt::Key_Backspace);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Keystroke_AppendAtEnd)->Arg(10)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime();

// One character deleted in the middle of the text.
void BM_Keystroke_DeleteMiddle(benchmark::State &state)
{
    Window window(static_cast<int>(state.range(0)));
    const int middle = static_cast<int>(state.range(0)) / 2;
    for ([[maybe_unused]] auto _ : state) {
        window.input->setCursorPosition(middle);
        QTest::keyClick(window.input, Qt::Key_Backspace);
        QApplication::processEvents();
        state.PauseTiming();
        QTest::keyClick(window.input, Qt::Key_X);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Keystroke_DeleteMiddle)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime();

// For comparison: what setting the output box's whole text costs.
void BM_FullReset(benchmark::State &state)
{
    Window window(static_cast<int>(state.range(0)));
    const QString shown = window.output->toPlainText();
    for ([[maybe_unused]] auto _ : state) {
        window.output->setPlainText(shown);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FullReset)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Each benchmark closes its window; the next one opens another.
    QApplication::setQuitOnLastWindowClosed(false);
    // The program's own look, as a user's keystroke meets it.
    qxm::SetApplicationDesignFont();
    QApplication::setStyle(new qxm::DesignStyle);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
