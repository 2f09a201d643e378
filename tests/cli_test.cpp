#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QSysInfo>
#include <QTemporaryDir>
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
    // A message, with status 1, after the lines before a stop; none, with
    // status 0, after a complete run.
    void shouldWriteTheLinesThenReportAnyStop_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("message");
        QTest::newRow("one argument") << QStringList{"Hi"} << QByteArray() << kLineH + kLineI << QString();
        QTest::newRow("arguments joined by one space")
            << QStringList{"H", "A"} << QByteArray() << kLineH + kLineSpace + kLineA << QString();
        QTest::newRow("empty argument") << QStringList{""} << QByteArray() << QByteArray() << QString();
        QTest::newRow("standard input, line by line")
            << QStringList() << QByteArray("Hi\nA\r\n") << kLineH + kLineI + kLineA << QString();
        QTest::newRow("standard input, last line without end")
            << QStringList() << QByteArray("H\n\nA") << kLineH + kLineA << QString();
        QTest::newRow("standard input with byte order mark")
            << QStringList() << QByteArray("\xef\xbb\xbfH") << kLineH << QString();
        QTest::newRow("c rows from standard input, in one array")
            << QStringList{"-f", "c", "--rows", "--first-bit", "0", "--name", "Font"} << QByteArray("H\ni")
            << QByteArray("const unsigned char Font[][7] = {\n    {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}, /* H */\n"
                          "    {0x04, 0x00, 0x06, 0x04, 0x04, 0x04, 0x0E}, /* i */\n};\n#define FONT_COUNT 2\n")
            << QString();
        QTest::newRow("bascom label") << QStringList{"--name", "F", "--first-bit", "6", "H"} << QByteArray()
                                      << "F:\r\n" + kLineH << QString();
        QTest::newRow("one picture per line")
            << QStringList{"-p"} << QByteArray("_\n") << QByteArray(".....\n").repeated(6) + "#####\n"
            << QString();
        QTest::newRow("proton label and lines")
            << QStringList{"-f", "proton", "H"} << QByteArray()
            << QByteArray("LedText:\r\nCData $7F, $08, $08, $08, $7F  'H\r\n") << QString();

        QTest::newRow("tab in an argument")
            << QStringList{"Hi\tA"} << QByteArray() << kLineH + kLineI
            << "qxm-convert: Subscript out of range: character 3, tab (code 9), has no glyph\n";
        QTest::newRow("control character on the second input line")
            << QStringList() << QByteArray("A\nH\x01i\nA\n") << kLineA + kLineH
            << "qxm-convert: line 2: Subscript out of range: character 2, U+0001 (code 1), has no glyph\n";
        QTest::newRow("text too long") << QStringList{QString(32768, QLatin1Char('x'))} << QByteArray() << QByteArray()
                                       << "qxm-convert: Overflow: the text has 32768 characters, at most 32767 "
                                          "can be converted\n";
        QTest::newRow("frame closed after a stop, zero bytes for no glyph")
            << QStringList{"-f", "gcb", QStringLiteral("H\u00e9\tH")} << QByteArray()
            << QByteArray("Table LedText\r\n0x7F, 0x08, 0x08, 0x08, 0x7F  'H\r\n0x00, 0x00, 0x00, 0x00, 0x00  "
                          "'\xc3\xa9\r\nEnd Table\r\n")
            << "qxm-convert: Subscript out of range: character 3, tab (code 9), has no glyph\n";
        QTest::newRow("sequence cut off at the end of a line")
            << QStringList() << QByteArray("A\ncaf\xe9\nA\n") << kLineA
            << "qxm-convert: line 2: standard input is not valid UTF-8\n";
        QTest::newRow("NUL inside a line") << QStringList() << QByteArray("A\0B\nA\n", 7) << kLineA
                                           << "qxm-convert: line 1: Subscript out of range: character 2, U+0000 "
                                              "(code 0), has no glyph\n";
        QTest::newRow("too long, counted in code units")
            << QStringList{QStringLiteral("\U0001F600").repeated(16384)} << QByteArray() << QByteArray()
            << "qxm-convert: Overflow: the text has 32768 code units, "
               "at most 32767 can be converted (16384 characters: a "
               "character outside the Basic Multilingual Plane counts "
               "as two)\n";
        QTest::newRow("DEL, a control character") << QStringList()
                                                  << QByteArray("A\x7f"
                                                                "B\n")
                                                  << kLineA
                                                  << "qxm-convert: line 1: Subscript out of range: character 2, "
                                                     "U+007F (code 127), is a control character\n";
        QTest::newRow("C1 control") << QStringList{QStringLiteral("A\u0081")} << QByteArray() << kLineA
                                    << "qxm-convert: Subscript out of range: character 2, U+0081 (code 129), is a "
                                       "control character\n";
        QTest::newRow("stop after an emoji") << QStringList{QStringLiteral("\U0001F600\t")} << QByteArray()
                                             << QByteArray("Data &H20 , &H40 , &H45 , &H48 , &H30  '?\r\n").repeated(2)
                                             << "qxm-convert: Subscript out of range: character 2 (code unit 3), "
                                                "tab (code 9), has no glyph\n";
    }

    void shouldWriteTheLinesThenReportAnyStop()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QFETCH(QString, message);
        if (QSysInfo::kernelType() == QLatin1String("winnt") && arguments.join(QLatin1Char(' ')).size() > 32000)
            QSKIP("Windows takes at most 32767 characters on a command line");
        const Run run = runConvert(arguments, input);
        QCOMPARE(run.out, output);
        QCOMPARE(QString::fromUtf8(run.err), message);
        QCOMPARE(run.exitCode, message.isEmpty() ? 0 : 1);
    }

    // However a run ends, killed too, the old file is all that is left of it.
    void shouldLeaveOnlyTheOldFileWhenKilled()
    {
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("f")));
        QVERIFY(QFile::copy(QStringLiteral(QXM_TESTS_DIR "/fonts/none.bdf"), file.fileName()));
        QProcess run;
        run.start(QStringLiteral(QXM_CONVERT_PATH), {QStringLiteral("-o"), file.fileName()});
        QVERIFY(run.waitForStarted());
        run.write("Hi\n");
        QTest::qWait(1000); // the line written aside by then, on all but a very busy machine
        run.kill();
        QVERIFY(run.waitForFinished());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("f")});
        QCOMPARE(file.size(), QFileInfo(QStringLiteral(QXM_TESTS_DIR "/fonts/none.bdf")).size());
    }

    // As a script runs it, in a scratch folder ($1), with the tests' own
    // folder at hand ($2); a hang fails after three minutes,
    // time enough for the compilers on a busy machine.
    void shouldEndWithTheStatusAndOutputAScriptExpects_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QByteArray>("message"); // the first line

        const QByteArray full = "qxm-convert: cannot write standard output: No space left on device\n";
        QTest::newRow("version") << R"("$0" --version)" << 0 << QByteArray("qxm-convert 1.00\n") << QByteArray();
        QTest::newRow("unknown option") << R"("$0" --bogus Hi)" << 2 << QByteArray()
                                        << QByteArray("qxm-convert: Unknown option 'bogus'.\n");
        QTest::newRow("closed standard input") << R"("$0" <&-)" << 0 << QByteArray() << QByteArray();
        QTest::newRow("help to a full disk") << R"("$0" --help >/dev/full)" << 1 << QByteArray() << full;
        QTest::newRow("endless input to a full disk") << R"(yes A | "$0" >/dev/full)" << 1 << QByteArray() << full;
        QTest::newRow("argument not UTF-8") << R"sh("$0" "$(printf 'A\377B')")sh" << 1 << QByteArray()
                                            << QByteArray("qxm-convert: argument 1 is not valid UTF-8; nothing "
                                                          "was converted\n");
        QTest::newRow("file replaced after a complete run")
            << R"(cd "$1" && echo old >f && "$0" -o f Hi && cat f && ls -A)" << 0 << kLineH + kLineI + "f\n"
            << QByteArray();
        QTest::newRow("file kept after a stop") << R"sh(cd "$1" && echo old >f; "$0" -o f "$(printf 'H\ti')"
                                                     s=$?; cat f; ls -A; exit $s)sh"
                                                << 1 << QByteArray("old\nf\n")
                                                << QByteArray("qxm-convert: Subscript out of range: character 2, "
                                                              "tab (code 9), has no glyph\n");
        QTest::newRow("file kept when a write fails")
            << R"sh(cd "$1" && echo old >f; (trap '' XFSZ; ulimit -f 1; exec "$0" --table -o f); s=$?
                    cat f; ls -A; exit $s)sh"
            << 1 << QByteArray("old\nf\n") << QByteArray("qxm-convert: cannot write f: File too large\n");
        QTest::newRow("standard output named, in the shell's append mode")
            << R"(cd "$1" && echo log >l && "$0" -o /dev/stdout H >>l && cat l)" << 0 << "log\n" + kLineH
            << QByteArray();
        QTest::newRow("standard output named, a pipe")
            << R"("$0" -o /dev/stdout H | cat)" << 0 << kLineH << QByteArray();
        QTest::newRow("dash for standard output")
            << R"(cd "$1" && "$0" -o - H && ls -A)" << 0 << kLineH << QByteArray();
        QTest::newRow("FIFO written into, not replaced")
            << R"(cd "$1" && mkfifo p && { cat p & "$0" -o p H; wait; } && test -p p)" << 0 << kLineH << QByteArray();
        QTest::newRow("device written into, not replaced")
            << R"(cd "$1" && mknod n c 1 3 && "$0" -o n H && test -c n && ls -A)" << 0 << QByteArray("n\n")
            << QByteArray();
        QTest::newRow("endless line in bounded memory")
            // AddressSanitizer reserves more address space than any such limit.
            << R"(tr '\0' A </dev/zero | ([ -n "$ASAN_OPTIONS" ] || ulimit -v 400000; "$0"))" << 1 << QByteArray()
            << QByteArray("qxm-convert: line 1: Overflow: the text has more than 32767 characters, at most 32767 "
                          "can be converted\n");
        QTest::newRow("lookup beside a text's array or BASIC")
            << R"("$0" -f gcb --lookup H 2>&1 | head -n 1; "$0" -f c --lookup H)" << 2
            << QByteArray("qxm-convert: --lookup writes a C function: it takes -f c or arduino with --table, or "
                          "-f adafruit-gfx\n")
            << QByteArray("qxm-convert: --lookup finds a glyph by its code, and a text's array is in the text's "
                          "order: add --table for the whole font\n");
        QTest::newRow("BASIC word as a name, in any case")
            << R"("$0" --name data H)" << 2 << QByteArray()
            << QByteArray("qxm-convert: --name 'data' is a word that bascom reserves: choose another name\n");
        QTest::newRow("whole font, first and last")
            << R"("$0" --table -f c | sed -n '1,4p;98,$p')" << 0
            << QByteArray("#define LEDTEXT_FIRST 32\n#define LEDTEXT_LAST 126\nconst unsigned char LedText[][5] = {\n"
                          "    {0x00, 0x00, 0x00, 0x00, 0x00}, /*   */\n    {0x04, 0x04, 0x15, 0x0E, 0x04}, /* ~ */\n"
                          "};\n#define LEDTEXT_COUNT 95\n")
            << QByteArray();
        QTest::newRow("C that every compiler takes, with nothing converted too")
            << R"sh(cd "$1" && . "$2/compilers.sh" && for f in c arduino adafruit-gfx; do
                    "$0" -f $f </dev/null >e.h && compiles_everywhere e.h &&
                    { "$0" -f $f "$(printf '\t')" >e.h; compiles_everywhere e.h; } &&
                    "$0" -f $f --table --lookup --font "$2/fonts/none.bdf" >e.h && compiles_everywhere e.h &&
                    "$0" -f $f --table --name Font >e.h && compiles_everywhere e.h Font &&
                    "$0" -f $f --table --lookup --size 8x8 >e.h && compiles_everywhere e.h &&
                    "$0" -f $f --table --lookup --size 8x16 --proportional >e.h && compiles_everywhere e.h ||
                    exit 1; done)sh"
            << 0 << QByteArray()
            << QByteArray("qxm-convert: Subscript out of range: character 1, tab (code 9), has no glyph\n");
        QTest::newRow("the Arduino and GFX fonts and their lookup's table in flash, not in RAM")
            << R"sh(cd "$1" && for f in c arduino adafruit-gfx; do "$0" -f $f --table --lookup >t.h &&
                    printf '%s\n' '#include "t.h"' 'int main(void) { const char *t = "A"; return LedText_Index(&t); }' >p.c &&
                    avr-gcc -mmcu=atmega328p -Os -include avr/pgmspace.h p.c -o p.elf &&
                    avr-nm p.elf | sed -n 's/.* \(.\) \(LedText\|high\..*\)$/\1/p'; done)sh"
            << 0 << QByteArray("D\nd\nT\nt\nT\nt\n") << QByteArray();
        QTest::newRow("a font's glyphs, in the whole font up to code 255")
            << R"("$0" --font /usr/share/fonts/X11/misc/5x7.pcf.gz --table | tail -n 1)" << 0
            << QByteArray("Data &H18 , &H45 , &H02 , &H5C , &H00  '\xc3\xbf\r\n") << QByteArray();
        QTest::newRow("file kept when the font is refused")
            << R"sh(cd "$1" && echo old >f; "$0" --font nofont -o f H; s=$?; cat f; ls -A; exit $s)sh" << 1
            << QByteArray("old\nf\n") << QByteArray("qxm-convert: there is no font file \"nofont\"\n");
        QTest::newRow("a text with the whole font") << R"("$0" --table H)" << 2 << QByteArray()
                                                    << QByteArray("qxm-convert: --table writes the whole font: it "
                                                                  "takes no TEXT and no --preview\n");
        QTest::newRow("a font expanding past the limit")
            << R"(cd "$1" && head -c 67108865 /dev/zero | gzip >big.pcf.gz && "$0" --font big.pcf.gz H)" << 1
            << QByteArray()
            << QByteArray("qxm-convert: \"big.pcf.gz\" expands to more than 64 MiB, too large to be a font file\n");
    }

    void shouldEndWithTheStatusAndOutputAScriptExpects()
    {
        QFETCH(QString, command);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, output);
        QFETCH(QByteArray, message);
        if (QSysInfo::kernelType() == QLatin1String("winnt"))
            QSKIP("the scripts need a POSIX shell");
        QTemporaryDir folder;
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command, QStringLiteral(QXM_CONVERT_PATH),
                                                folder.path(), QStringLiteral(QXM_TESTS_DIR)});
        QVERIFY(shell.waitForFinished(180000));
        const QByteArray errors = shell.readAllStandardError();
        QCOMPARE(errors.left(errors.indexOf('\n') + 1), message);
        QCOMPARE(shell.readAllStandardOutput(), output);
        QCOMPARE(shell.exitCode(), exitCode);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
