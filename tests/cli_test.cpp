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

Run RunConvert(const QStringList &arguments, const QByteArray &input = {})
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
const QByteArray kLineUnknown = "Data &H20 , &H40 , &H45 , &H48 , &H30  '?\r\n";

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
        QTest::newRow("arguments joined by one space")
            << QStringList{"Hi", "A"} << QByteArray() << kLineH + kLineI + kLineSpace + kLineA << QString();
        QTest::newRow("empty argument, standard input unread")
            << QStringList{""} << QByteArray("A") << QByteArray() << QString();
        QTest::newRow("standard input, line by line, the last without an end")
            << QStringList() << QByteArray("Hi\n\nA\r\nH") << kLineH + kLineI + kLineA + kLineH << QString();
        QTest::newRow("byte-order marks in arguments, unit by unit")
            << QStringList{QStringLiteral("\uFEFFA"), QStringLiteral("\uFFFEA")} << QByteArray()
            << kLineUnknown + kLineA + kLineSpace + kLineUnknown + kLineA << QString();
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

        QTest::newRow("control characters of a file name shown by their codes")
            << QStringList{"--font", QStringLiteral("\x1b[2J\x7f\u009b")} << QByteArray() << QByteArray()
            << "qxm-convert: there is no font file \"U+001B[2JU+007FU+009B\"\n";
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
            << "qxm-convert: Overflow: the text has 32768 code units, at most 32767 can be converted (16384 "
               "characters: a character outside the Basic Multilingual Plane counts as two)\n";
        QTest::newRow("DEL, a control character")
            << QStringList() << QByteArray("A\x7f\n") << kLineA
            << "qxm-convert: line 1: Subscript out of range: character 2, U+007F (code 127), is a control character\n";
        QTest::newRow("C1 control") << QStringList{QStringLiteral("A\u0081")} << QByteArray() << kLineA
                                    << "qxm-convert: Subscript out of range: character 2, U+0081 (code 129), is a "
                                       "control character\n";
        QTest::newRow("stop after an emoji")
            << QStringList{QStringLiteral("\U0001F600\t")} << QByteArray() << kLineUnknown.repeated(2)
            << "qxm-convert: Subscript out of range: character 2 (code unit 3), tab (code 9), has no glyph\n";
    }

    void shouldWriteTheLinesThenReportAnyStop()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QFETCH(QString, message);
        const bool windows = QSysInfo::kernelType() == QLatin1String("winnt");
        if (windows && arguments.join(QLatin1Char(' ')).size() > 32000)
            QSKIP("Windows takes at most 32767 characters on a command line");
        // Wine hands a program's arguments over as UTF-8, and its decoder
        // drops a leading byte-order mark and the unit after U+FFFE.
        if (windows && arguments.join(QString()).contains(QChar(0xFFFE)))
            QSKIP("Wine does not pass a byte-order mark in an argument on");
        const Run run = RunConvert(arguments, input);
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
    // time enough for the compilers on a busy machine. A script that needs
    // what the machine does not allow (root, a mount) ends with status 77.
    void shouldEndWithTheStatusAndOutputAScriptExpects_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QByteArray>("message"); // the first line

        const QByteArray full = "qxm-convert: cannot write standard output: No space left on device\n";
        QTest::newRow("version") << R"("$0" --version)" << 0 << QByteArray("qxm-convert 1.00\n") << QByteArray();
        QTest::newRow("closed standard input") << R"("$0" <&-)" << 0 << QByteArray() << QByteArray();
        QTest::newRow("help to a full disk") << R"("$0" --help >/dev/full)" << 1 << QByteArray() << full;
        QTest::newRow("endless input to a full disk") << R"(yes A | "$0" >/dev/full)" << 1 << QByteArray() << full;
        QTest::newRow("argument not UTF-8") << R"sh("$0" "$(printf 'A\377B')")sh" << 1 << QByteArray()
                                            << QByteArray("qxm-convert: argument 1 is not valid UTF-8; nothing "
                                                          "was converted\n");
        QTest::newRow("file replaced after a complete run, under the longest name")
            << R"sh(cd "$1" && f=$(printf %0255d 0) && echo old >$f && "$0" -o $f Hi && cat $f && ls -A | wc -l)sh" << 0
            << kLineH + kLineI + "1\n"
            << QByteArray();
        QTest::newRow("file kept after a stop, a refused font and a failed write")
            << R"sh(cd "$1" && echo old >f; "$0" -o f "$(printf 'H\ti')" 2>&1; echo $?; "$0" --font nofont -o f H 2>&1
                    echo $?; (trap '' XFSZ; ulimit -f 1; exec "$0" --table -o f); s=$?; cat f; ls -A; exit $s)sh"
            << 1
            << QByteArray("qxm-convert: Subscript out of range: character 2, tab (code 9), has no glyph\n1\n"
                          "qxm-convert: there is no font file \"nofont\"\n1\nold\nf\n")
            << QByteArray("qxm-convert: cannot write f: File too large\n");
        QTest::newRow("standard output named, in the shell's append mode")
            << R"(cd "$1" && echo log >l && "$0" -o /dev/stdout H >>l && cat l)" << 0 << "log\n" + kLineH
            << QByteArray();
        QTest::newRow("file's mode, ACL and attributes kept")
            << R"(cd "$1" && echo old >f && chmod 4751 f && setfacl -m u:nobody:r f && setfattr -n user.k -v v f &&
                  "$0" -o f H && stat -c %A f && getfacl -c f | grep nobody && getfattr --only-values -n user.k f)"
            << 0 << QByteArray("-rwsr-x--x\nuser:nobody:r--\nv") << QByteArray();
        QTest::newRow("another's read-only file kept so by root")
            << R"sh([ "$(id -u)" = 0 ] || exit 77; cd "$1" && echo old >f && chown nobody:nogroup f && chmod 444 f &&
                    "$0" -o f H && stat -c '%U:%G %a' f)sh"
            << 0 << QByteArray("nobody:nogroup 444\n") << QByteArray();
        QTest::newRow("symbolic link loop refused, the link kept")
            << R"(cd "$1" && ln -s B A && ln -s A B; "$0" -o A H; s=$?; readlink A; exit $s)" << 1 << QByteArray("B\n")
            << QByteArray("qxm-convert: cannot write A: Too many levels of symbolic links\n");
        QTest::newRow("the folder named when it refuses, the system's reason for a font")
            << R"sh(cd "$1" && chmod 755 . && mkdir d && echo old >d/f && chmod 666 d/f && chmod 555 d && touch g &&
                    chmod 0 g && cp "$0" q && u= && { [ "$(id -u)" != 0 ] || u="setpriv --reuid=nobody --regid=nogroup
                    --clear-groups"; } && $u ./q --font g H 2>&1; $u ./q -o d/f H; s=$?; chmod 755 d; exit $s)sh"
            << 1 << QByteArray("qxm-convert: cannot read the font file \"g\": Permission denied\n")
            << QByteArray(
                   "qxm-convert: cannot write d/f: cannot create a file in its folder \"d\": Permission denied\n");
        QTest::newRow("read-only mount")
            << R"(unshare -m true 2>/dev/null || exit 77; cd "$1" && mkdir r && echo old >r/f &&
                  unshare -m sh -c 'mount --bind -o ro r r 2>/dev/null || exit 77; "$0" -o r/f H' "$0")"
            << 1 << QByteArray() << QByteArray("qxm-convert: cannot write r/f: Read-only file system\n");
        QTest::newRow("a terminal that is not UTF-8, reasons in English")
            << R"(LC_ALL=tr_TR.ISO-8859-9 "$0" -o ş/f H)" << 1 << QByteArray()
            << QByteArray("qxm-convert: cannot write U+015F/f: cannot create a file in its folder \"U+015F\": No such "
                          "file or directory\n");
        QTest::newRow("Qt's own option as a text")
            << R"("$0" -- -qmljsdebugger=port:1 </dev/null | tail -n 1)" << 0
            << QByteArray("Data &H00 , &H21 , &H7F , &H01 , &H00  '1\r\n") << QByteArray();
        QTest::newRow("dash for standard output")
            << R"(cd "$1" && "$0" -o - H && ls -A)" << 0 << kLineH << QByteArray();
        QTest::newRow("FIFO written into, not replaced")
            << R"(cd "$1" && mkfifo p && { cat p & "$0" -o p H; wait; } && test -p p)" << 0 << kLineH << QByteArray();
        QTest::newRow("device written into, not replaced")
            << R"(cd "$1" && { mknod n c 1 3 || exit 77; } && "$0" -o n H && test -c n && ls -A)" << 0
            << QByteArray("n\n") << QByteArray();
        QTest::newRow("endless line in bounded memory")
            // AddressSanitizer reserves more address space than any such limit.
            << R"(tr '\0' A </dev/zero | ([ -n "$ASAN_OPTIONS" ] || ulimit -v 400000; "$0"))" << 1 << QByteArray()
            << QByteArray("qxm-convert: line 1: Overflow: the text has more than 32767 characters, at most 32767 "
                          "can be converted\n");
        QTest::newRow("names checked and written alike in a Turkish locale")
            << R"sh(export LC_ALL=tr_TR.UTF-8; "$0" --table -f c --name digits | head -n 1; "$0" --table | head -n 1
                    "$0" --name DIM H 2>&1 | head -n 1; "$0" -f c --name main H 2>&1 | head -n 1
                    "$0" -f arduino --name if H)sh"
            << 2
            << QByteArray("#define DIGITS_FIRST 32\nConst LedText_First = 32\r\nqxm-convert: --name 'DIM' is a word "
                          "that bascom reserves: choose another name\nqxm-convert: --name 'main' is a word that c "
                          "reserves: choose another name\n")
            << QByteArray("qxm-convert: --name 'if' is a word that arduino reserves: choose another name\n");
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
        // MD_MAX72XX reads a table as its setFont() and getChar() do, in a
        // sketch's declaration of it, with the text's bytes as codes.
        QTest::newRow("MD_MAX72XX's font table, drawn as --preview shows it and kept in flash")
            << R"sh(cd "$1" && for a in --table "--size 8x8" "--font /usr/share/fonts/X11/misc/5x8.pcf.gz --size 6x8 \
                    --proportional"; do if [ "$a" = --table ]; then t='Ag~ j' && "$0" -f max72xx --table >font.h
                    else t='Agé€ j' && "$0" $a -f max72xx "$t" >font.h; fi && g++ -Wall -Wextra -Werror -I \
                    "$2/libraries/md_max72xx" -include font.h "$2/libraries/max72xx_draw.cpp" -o draw &&
                    ./draw "$(printf %s "$t" | iconv -t WINDOWS-1252)" >drawn &&
                    "$0" ${a#--table} --preview "$t" | diff - drawn || exit 1; done
                    echo 'int main() { return pgm_read_byte(&LedText[6]); }' >use.cpp && avr-g++ -mmcu=atmega328p \
                    -Os -include avr/pgmspace.h -I "$2/libraries/md_max72xx" -include font.h use.cpp -o use.elf &&
                    avr-nm use.elf | sed -n 's/.* \(.\) .*LedText$/\1/p')sh"
            << 0 << QByteArray("t\n") << QByteArray();
        // A BDF font of the whole font, and the PCF that bdftopcf compiles,
        // read back with the same cell give the same output, byte for byte.
        QTest::newRow("a BDF font read back, as it is and as PCF, in every format")
            << R"sh(cd "$1" && formats=$("$0" -f - 2>&1 | sed -n 's/.*use one of //p' | tr -d ,) &&
                    for a in "" --proportional "--font /usr/share/fonts/X11/misc/8x13.pcf.gz --size 8x13" \
                    "--font /usr/share/fonts/X11/misc/8x13.pcf.gz --size 8x13 --proportional"; do
                    s=${a#--font * } && "$0" $a -f bdf --table >f.bdf && bdftopcf -o f.pcf f.bdf || exit 1
                    for f in $formats; do for t in --table 'Agé€ j'; do "$0" $a -f $f "$t" >a 2>&1; echo $? >>a
                    for font in f.bdf f.pcf; do "$0" --font $font $s -f $f "$t" >b 2>&1; echo $? >>b
                    cmp a b || exit 1; done; done; done; done)sh"
            << 0 << QByteArray() << QByteArray();
        QTest::newRow("a font's glyphs, in the whole font up to code 255")
            << R"("$0" --font /usr/share/fonts/X11/misc/5x7.pcf.gz --table | tail -n 1)" << 0
            << QByteArray("Data &H18 , &H45 , &H02 , &H5C , &H00  '\xc3\xbf\r\n") << QByteArray();
        // Standard input stays open here: a command that read it would hang.
        QTest::newRow("a library's font without a text, the whole font at once")
            << R"("$0" -f max72xx | sed -n 4p)" << 0
            << QByteArray("    'F', 2, 0, 32, 0, 126, 7, /* codes 32 to 126, 7 dots high */\n") << QByteArray();
        QTest::newRow("usage errors, each with status 2")
            << R"sh(cd "$1" && for o in --bogus "-f basic" "--first-bit 5" "--rows --first-bit 3" --table --output=; do
                    "$0" $o H 2>e; echo $? $(head -n 1 e); done)sh"
            << 0
            << QByteArray("2 qxm-convert: Unknown option 'bogus'.\n2 qxm-convert: unknown format 'basic': use one of "
                          "bascom, gcb, proton, c, arduino, adafruit-gfx, max72xx, luma, bdf\n"
                          "2 qxm-convert: --first-bit 5 is not a bit that leaves room for every dot: use 0, 6 or 7\n"
                          "2 qxm-convert: --first-bit 3 is not a bit that leaves room for every dot: use 0, 4, 5, 6 or "
                          "7 with --rows\n2 qxm-convert: --table writes the whole font: it takes no TEXT and no "
                          "--preview\n2 qxm-convert: -o takes a file name, or - for standard output\n")
            << QByteArray();
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
        if (shell.exitCode() == 77)
            QSKIP("the machine does not allow it here");
        const QByteArray errors = shell.readAllStandardError();
        QCOMPARE(errors.left(errors.indexOf('\n') + 1), message);
        QCOMPARE(shell.readAllStandardOutput(), output);
        QCOMPARE(shell.exitCode(), exitCode);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
