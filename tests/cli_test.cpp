#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

namespace {

struct Run
{
    QByteArray out;
    QByteArray err;
    int exitCode = -1;
};

Run runConvert(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(QStringLiteral(QXM_CONVERT_PATH), arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished();
    return {process.readAllStandardOutput(), process.readAllStandardError(),
            process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1};
}

const QByteArray kLineH = "Data &H7F , &H08 , &H08 , &H08 , &H7F  'H\r\n";
const QByteArray kLineI = "Data &H00 , &H11 , &H5F , &H01 , &H00  'i\r\n";
const QByteArray kLineA = "Data &H3F , &H44 , &H44 , &H44 , &H3F  'A\r\n";
const QByteArray kLineSpace = "Data &H00 , &H00 , &H00 , &H00 , &H00  ' \r\n";

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private slots:
    void shouldWriteExactlyTheDataLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");

        QTest::newRow("one argument") << QStringList{"Hi"} << QByteArray() << kLineH + kLineI;
        QTest::newRow("arguments joined by one space")
            << QStringList{"H", "A"} << QByteArray() << kLineH + kLineSpace + kLineA;
        QTest::newRow("empty argument") << QStringList{""} << QByteArray() << QByteArray();
        QTest::newRow("option-like text after --")
            << QStringList{"--", "-"} << QByteArray() << QByteArray("Data &H08 , &H08 , &H08 , &H08 , &H08  '-\r\n");
        QTest::newRow("euro sign in UTF-8")
            << QStringList{QStringLiteral("\u20ac")} << QByteArray() << QByteArray("Data   '\xe2\x82\xac\r\n");
        QTest::newRow("standard input, line by line")
            << QStringList() << QByteArray("Hi\nA\r\n") << kLineH + kLineI + kLineA;
        QTest::newRow("standard input, last line without end")
            << QStringList() << QByteArray("H\n\nA") << kLineH + kLineA;
        QTest::newRow("standard input with byte order mark") << QStringList() << QByteArray("\xef\xbb\xbfH") << kLineH;
    }

    void shouldWriteExactlyTheDataLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        const Run run = runConvert(arguments, input);
        QCOMPARE(run.out, output);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
    }

    void shouldReportAStoppedRunAfterTheLinesBeforeIt_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("message");

        QTest::newRow("tab in an argument")
            << QStringList{"Hi\tA"} << QByteArray() << kLineH + kLineI
            << "qxm-convert: subscript out of range at character 3 (U+0009, code 9): it has no glyph\n";
        QTest::newRow("control character on the second input line")
            << QStringList() << QByteArray("A\nH\x01i\nA\n") << kLineA + kLineH
            << "qxm-convert: line 2: subscript out of range at character 2 (U+0001, code 1): it has no glyph\n";
        QTest::newRow("text too long") << QStringList{QString(32768, QLatin1Char('x'))} << QByteArray() << QByteArray()
                                       << "qxm-convert: overflow: the text has 32768 characters, at most 32767 "
                                          "can be converted\n";
        QTest::newRow("invalid UTF-8") << QStringList() << QByteArray("A\n\xff\xfe\n") << kLineA
                                       << "qxm-convert: line 2: standard input is not valid UTF-8\n";
    }

    void shouldReportAStoppedRunAfterTheLinesBeforeIt()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QFETCH(QString, message);
        const Run run = runConvert(arguments, input);
        QCOMPARE(run.out, output);
        QCOMPARE(QString::fromUtf8(run.err), message);
        QCOMPARE(run.exitCode, 1);
    }

    void shouldPreviewWhatTheDisplayShows()
    {
        const Run run = runConvert({QStringLiteral("--preview"), QStringLiteral("Hi")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("#...#...#..\n"
                                     "#...#......\n"
                                     "#...#..##..\n"
                                     "#####...#..\n"
                                     "#...#...#..\n"
                                     "#...#...#..\n"
                                     "#...#..###.\n"));
    }

    void shouldPreviewUpToAStop()
    {
        const Run run = runConvert({QStringLiteral("-p"), QStringLiteral("_\t_")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QByteArray(".....\n.....\n.....\n.....\n.....\n.....\n#####\n"));
        QVERIFY(run.err.contains("at character 2 (U+0009, code 9)"));
    }

    void shouldRejectUnknownOptionsWithUsage()
    {
        const Run run = runConvert({QStringLiteral("--bogus"), QStringLiteral("Hi")});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY(run.err.startsWith("qxm-convert: Unknown option 'bogus'."));
        QVERIFY(run.err.contains("Usage:"));
    }

    void shouldTellItsVersionAndHelp()
    {
        const Run version = runConvert({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QByteArray("qxm-convert 1.00\n"));

        const Run help = runConvert({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("--preview"));
        QVERIFY(help.out.contains("Text to LED Matrix 7x5 Code Convertor"));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
