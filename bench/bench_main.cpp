// Opens, edits, wraps and saves large files the way the program does, with
// the program's control and with the QPlainTextEdit one side by side, and
// prints the figures: make bench. Each control runs in a process of its own,
// so each peak memory figure is its own.
#include "app/mainwindow.h"
#include "bench_huge.h"
#include "bench_recovery.h"
#include "bench_regex.h"
#include "bench_search.h"
#include "window/filewindow.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <sys/resource.h>

using namespace verno;

namespace {

long peakMegabytes()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

double secondsSince(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e9; }

// Figures go to the parent as "name value" lines.
void report(const char *name, double value) { std::printf("%s %.6f\n", name, value); }

bool writeFile(const QString &path, int lines, const std::function<QByteArray(int)> &line)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    for (int i = 0; i < lines; ++i) {
        chunk += line(i);
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    return f.write(chunk) == chunk.size();
}

// About 50 bytes a line: a number and six words in turn, "gamma" among them.
QByteArray bigLine(int i)
{
    static const char *const words[] = {"alpha", "beta", "gamma", "delta", "epsilon", "zeta"};
    QByteArray line = "Line " + QByteArray::number(i).rightJustified(7, '0');
    for (int k = 0; k < 6; ++k)
        line += QByteArray(" ") + words[(i + k) % 6];
    return line + "\r\n";
}

// The same size in UTF-8: a number and six words, Cyrillic and Latin in turn.
QByteArray utf8Line(int i)
{
    static const char *const words[] = {"\xD0\xB0\xD0\xBB\xD1\x8C", "beta", "\xD0\xB3\xD0\xB0\xD0\xBC",
                                        "delta", "\xD0\xB4\xD0\xB8\xD0\xBC", "zeta"}; // "аль", "гам", "дим"
    QByteArray line = "Line " + QByteArray::number(i).rightJustified(7, '0');
    for (int k = 0; k < 6; ++k)
        line += QByteArray(" ") + words[(i + k) % 6];
    return line + "\r\n";
}

QByteArray longLine(int i)
{
    QByteArray line;
    line.reserve(1'000'002);
    const QByteArray word = "word" + QByteArray::number(i) + " ";
    while (line.size() < 1'000'000)
        line += word;
    line.truncate(1'000'000);
    return line + "\r\n";
}

QAbstractScrollArea *viewOf(TFileWindow &w) { return qobject_cast<QAbstractScrollArea *>(w.Memo().widget()); }

// A key typed with the caret at pos, until its repaint is done.
double keystroke(TFileWindow &w, int pos)
{
    QtEditControl &m = w.Memo();
    m.SetCaret(pos);
    m.SetSelectionLength(0);
    QCoreApplication::processEvents();
    QWidget *target = m.widget();
    QElapsedTimer t;
    t.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::processEvents();
    if (QAbstractScrollArea *area = viewOf(w))
        area->viewport()->repaint();
    return secondsSince(t);
}

double statusPassNanos(TMainWindow &frame)
{
    const int calls = 5000;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < calls; ++i)
        frame.UpdateCommandState(false);
    return double(t.nsecsElapsed()) / calls;
}

double openToReady(TMainWindow &frame, const QString &path)
{
    QElapsedTimer t;
    t.start();
    frame.OpenEditWindow(path, false);
    QCoreApplication::processEvents(); // laid out, painted, ready to type
    return secondsSince(t);
}

double toggleWrap(TFileWindow &w, bool on)
{
    QElapsedTimer t;
    t.start();
    w.Memo().SetWordWrap(on);
    QCoreApplication::processEvents();
    w.Memo().LineOf(w.Memo().TextLength()); // the last line's number is exact
    return secondsSince(t);
}

// A settings file whose history, find and replace lists and commands hold
// entries entries each.
bool writeBigSettings(const QString &path, int entries)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray text = "[Software\\Qvo\\Verno\\Options]\n\"FindHistSave\"=\"1\"\n";
    for (const char *section : {"FileHistory", "FindHistory", "ReplaceHistory", "Commands"}) {
        text += QByteArray("\n[Software\\Qvo\\Verno\\") + section + "]\n";
        for (int i = 1; i <= entries; ++i)
            text += '"' + QByteArray::number(i) + "\"=\"/home/user/notes/file" + QByteArray::number(i) + ".txt\"\n";
    }
    return f.write(text) == text.size();
}

// Start-up and exit with that file: both read and write it whole.
int runSettings(const QString &path)
{
    QElapsedTimer t;
    t.start();
    TMainWindow frame(path);
    frame.show();
    frame.FormShow({});
    QCoreApplication::processEvents();
    report("start", secondsSince(t));
    t.restart();
    frame.SaveSettings();
    report("exit", secondsSince(t));
    return 0;
}

int runChild(const QString &control, const QString &scenario, const QString &path)
{
    if (scenario == QLatin1String("recovery"))
        return benchRecovery(path);
    if (scenario == QLatin1String("settings"))
        return runSettings(path);
    if (control == QLatin1String("reference"))
        setEditControlFactory([](QWidget *parent) { return makePlainTextEditControl(parent); });
    QTemporaryDir settings;
    TMainWindow frame(settings.path() + QStringLiteral("/Verno.reg"));
    frame.resize(1000, 700);
    frame.show();
    QCoreApplication::processEvents();
    StatusReady = true;
    if (scenario.startsWith(QLatin1String("huge"))) {
        benchHuge(frame, path, scenario == QLatin1String("hugeready"));
        return 0;
    }
    if (scenario == QLatin1String("regex")) {
        benchRegexReplace(frame, path);
        return 0;
    }
    if (scenario == QLatin1String("search")) {
        // Find and replace-all through the search engine, grep and sed beside.
        benchSearch(frame, QFileInfo(path).path(), 1'000'000);
        return 0;
    }
    report("ready", openToReady(frame, path));
    report("peak", double(peakMegabytes()));
    TFileWindow *w = frame.activeWindow();
    if (!w)
        return 1;
    EditControl &m = w->Memo();
    report("utf8", m.Utf8() ? 1 : 0);
    if (scenario == QLatin1String("big")) {
        report("keytop", keystroke(*w, 0));
        report("key900k", keystroke(*w, m.LineStart(900'000) + 5));
        report("status", statusPassNanos(frame));
        report("wrapon", toggleWrap(*w, true));
        report("key900kwrap", keystroke(*w, m.LineStart(m.LineOf(m.TextLength()) * 9 / 10) + 5));
        report("statuswrap", statusPassNanos(frame));
        report("wrapoff", toggleWrap(*w, false));
        QElapsedTimer t;
        t.start();
        w->Save();
        report("save", secondsSince(t));
    } else {
        const int middle = m.LineStart(10) + 500'000;
        report("keymid", keystroke(*w, middle));
        report("wrapon", toggleWrap(*w, true));
        report("keymidwrap", keystroke(*w, middle));
    }
    report("peakend", double(peakMegabytes()));
    return 0;
}

// Figures by name; "notes" holds lines the child printed as they are.
using Figures = std::map<QString, double>;

Figures runScenario(const QString &control, const QString &scenario, const QString &path, int timeoutMs)
{
    // BENCH_OWN_ONLY=1 leaves the slow reference out while working on figures.
    if (control == QLatin1String("reference") && qEnvironmentVariableIsSet("BENCH_OWN_ONLY"))
        return {};
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), control, scenario, path});
    Figures figures;
    if (!child.waitForFinished(timeoutMs)) {
        child.kill();
        child.waitForFinished();
        figures[QStringLiteral("timeout")] = timeoutMs / 1000.0;
    }
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        bool number = false;
        if (parts.size() == 2)
            figures[QString::fromLatin1(parts[0])] = parts[1].toDouble(&number);
        if (!number && !line.isEmpty())
            std::printf("  [%s] %s\n", qPrintable(control), line.constData());
    }
    return figures;
}

void row(const char *label, const char *key, const Figures &ours, const Figures &ref, double scale, const char *unit)
{
    const auto cell = [&](const Figures &f) {
        const auto it = f.find(QString::fromLatin1(key));
        if (it == f.end())
            return f.count(QStringLiteral("timeout")) ? QStringLiteral("> %1 s").arg(f.at(QStringLiteral("timeout")))
                                                      : QStringLiteral("-");
        return QString::number(it->second * scale, 'f', scale >= 1000 ? 1 : 2) + QLatin1Char(' ') + QLatin1String(unit);
    };
    std::printf("  %-46s %16s %16s\n", label, qPrintable(cell(ours)), qPrintable(cell(ref)));
}

// A figure of the log, with its processor time where there is one, and a
// tool's figures beside it.
void hugeRow(const char *label, const Figures &f, const char *key, double scale, const char *unit,
             const Figures *tools = nullptr, const char *tool = nullptr)
{
    const auto text = [](const Figures &from, const QString &k, double scale, const char *unit) {
        const auto it = from.find(k);
        return it == from.end() ? QStringLiteral("-")
                                : QString::number(it->second * scale, 'f', scale >= 1000 ? 1 : 2) + QLatin1Char(' ') +
                                      QLatin1String(unit);
    };
    const QString k = QString::fromLatin1(key);
    QString cell = k.isEmpty() ? QString() : text(f, k, scale, unit);
    if (f.count(k + QStringLiteral("cpu")))
        cell += QStringLiteral(" (cpu %1)").arg(text(f, k + QStringLiteral("cpu"), scale, unit));
    std::printf("  %-50s %24s", label, qPrintable(cell));
    if (tools) {
        const QString t = QString::fromLatin1(tool);
        std::printf("   %s: %s (cpu %s)", tool, qPrintable(text(*tools, t, 1, "s")),
                    qPrintable(text(*tools, t + QStringLiteral("cpu"), 1, "s")));
    }
    std::printf("\n");
}

// The 581 MB log: opened with LF and with CR LF breaks, each in its own process.
void runHuge(const QString &dir)
{
    const QString lf = dir + QStringLiteral("/huge-lf.log");
    const QString crlf = dir + QStringLiteral("/huge-crlf.log");
    std::printf("\nWriting two logs of 8,000,000 lines...\n");
    if (!writeHugeLog(lf, false) || !writeHugeLog(crlf, true))
        return;
    std::printf("huge-lf.log: %.1f MB with LF breaks; huge-crlf.log: %.1f MB with CR LF breaks\n\n",
                QFileInfo(lf).size() / 1e6, QFileInfo(crlf).size() / 1e6);
    const int cap = 600'000;
    // The tools first: the program's run saves its changes over the file.
    const Figures tools = toolFigures(lf);
    const Figures ours = runScenario(QStringLiteral("ours"), QStringLiteral("huge"), lf, cap);
    const Figures ready = runScenario(QStringLiteral("ours"), QStringLiteral("hugeready"), crlf, cap);
    hugeRow("huge-lf.log: open to ready", ours, "ready", 1, "s", &tools, "wc -l");
    hugeRow("huge-lf.log: peak memory when ready", ours, "peak", 1, "MB");
    hugeRow("huge-crlf.log: open to ready", ready, "ready", 1, "s");
    hugeRow("huge-crlf.log: peak memory when ready", ready, "peak", 1, "MB");
    hugeRow("Ctrl+End, to repaint", ours, "ctrlend", 1000, "ms");
    hugeRow("first keystroke there, to repaint", ours, "firstkey", 1000, "ms");
    hugeRow("later keystrokes, median", ours, "laterkey", 1000, "ms");
    hugeRow("later keystrokes, slowest", ours, "laterkeymax", 1000, "ms");
    hugeRow("thumb dragged top to bottom, slowest step", ours, "drag", 1000, "ms");
    hugeRow("find \"zanzibarquux\" (last line only) from the top", ours, "find", 1, "s");
    hugeRow("replace all \"ERROR\" (2,000,000 lines)", ours, "replace", 1, "s", &tools, "sed");
    hugeRow("save", ours, "save", 1, "s", &tools, "cp");
    hugeRow("", ours, "", 1, "s", &tools, "cp and sync");
    hugeRow("word wrap on, whole text", ours, "wrapon", 1, "s");
    hugeRow("thumb dragged top to bottom wrapped, slowest step", ours, "dragwrap", 1000, "ms");
    hugeRow("peak memory at the end", ours, "peakend", 1, "MB");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("--child"))
        return runChild(args[2], args[3], args[4]);

    QTemporaryDir dir;
    // Texts the runs leave modified are kept for recovery here, not in the user's folder.
    qputenv("XDG_STATE_HOME", QFile::encodeName(dir.path() + QStringLiteral("/state")));
    // BENCH_HUGE_ONLY=1 runs the 581 MB log alone.
    if (qEnvironmentVariableIsSet("BENCH_HUGE_ONLY")) {
        runHuge(dir.path());
        return 0;
    }
    const QString big = dir.path() + QStringLiteral("/big.txt");
    const QString longs = dir.path() + QStringLiteral("/long.txt");
    const QString utf8 = dir.path() + QStringLiteral("/utf8.txt");
    std::printf("Writing the files...\n");
    if (!writeFile(big, 1'000'000, bigLine) || !writeFile(longs, 20, longLine) || !writeFile(utf8, 1'000'000, utf8Line))
        return 1;
    std::printf("big.txt: 1,000,000 lines, %.1f MB; long.txt: 20 lines of 1,000,000 characters\n",
                QFileInfo(big).size() / 1e6);
    std::printf("utf8.txt: 1,000,000 lines of Cyrillic and Latin words, %.1f MB\n\n", QFileInfo(utf8).size() / 1e6);

    const int cap = 120'000;
    const Figures oursBig = runScenario(QStringLiteral("ours"), QStringLiteral("big"), big, cap);
    const Figures refBig = runScenario(QStringLiteral("reference"), QStringLiteral("big"), big, cap);
    const Figures oursLong = runScenario(QStringLiteral("ours"), QStringLiteral("long"), longs, cap);
    const Figures refLong = runScenario(QStringLiteral("reference"), QStringLiteral("long"), longs, 60'000);

    std::printf("  %-46s %16s %16s\n", "", "own control", "QPlainTextEdit");
    row("big.txt: open to ready", "ready", oursBig, refBig, 1, "s");
    row("big.txt: peak memory when ready", "peak", oursBig, refBig, 1, "MB");
    row("big.txt: keystroke at the top, to repaint", "keytop", oursBig, refBig, 1000, "ms");
    row("big.txt: keystroke at line 900,000", "key900k", oursBig, refBig, 1000, "ms");
    row("big.txt: status pass", "status", oursBig, refBig, 0.001, "us");
    row("big.txt: word wrap on", "wrapon", oursBig, refBig, 1, "s");
    row("big.txt: keystroke at 9/10, wrapped", "key900kwrap", oursBig, refBig, 1000, "ms");
    row("big.txt: status pass, wrapped", "statuswrap", oursBig, refBig, 0.001, "us");
    row("big.txt: word wrap off", "wrapoff", oursBig, refBig, 1, "s");
    row("big.txt: save", "save", oursBig, refBig, 1, "s");
    row("big.txt: peak memory at the end", "peakend", oursBig, refBig, 1, "MB");
    row("long.txt: open to ready", "ready", oursLong, refLong, 1, "s");
    row("long.txt: keystroke mid line 10", "keymid", oursLong, refLong, 1000, "ms");
    row("long.txt: word wrap on", "wrapon", oursLong, refLong, 1, "s");
    row("long.txt: keystroke mid line 10, wrapped", "keymidwrap", oursLong, refLong, 1000, "ms");
    row("long.txt: peak memory", "peakend", oursLong, refLong, 1, "MB");
    std::printf("\nKeeping a modified big.txt for recovery:\n");
    runScenario(QStringLiteral("ours"), QStringLiteral("recovery"), big, cap);

    const Figures oursUtf8 = runScenario(QStringLiteral("ours"), QStringLiteral("big"), utf8, cap);
    std::printf("\n  %-46s %16s %16s\n", "", "utf8.txt", "big.txt");
    row("opened as UTF-8 (1 yes, 0 no)", "utf8", oursUtf8, oursBig, 1, "");
    row("open to ready", "ready", oursUtf8, oursBig, 1, "s");
    row("peak memory when ready", "peak", oursUtf8, oursBig, 1, "MB");
    row("keystroke at the top, to repaint", "keytop", oursUtf8, oursBig, 1000, "ms");
    row("keystroke at line 900,000", "key900k", oursUtf8, oursBig, 1000, "ms");
    row("word wrap on", "wrapon", oursUtf8, oursBig, 1, "s");
    row("keystroke at 9/10, wrapped", "key900kwrap", oursUtf8, oursBig, 1000, "ms");
    row("word wrap off", "wrapoff", oursUtf8, oursBig, 1, "s");
    row("save", "save", oursUtf8, oursBig, 1, "s");
    if (oursUtf8.count(QStringLiteral("ready")) && oursBig.count(QStringLiteral("ready")))
        std::printf("  ready time, utf8.txt over big.txt: %.2fx\n",
                    oursUtf8.at(QStringLiteral("ready")) / oursBig.at(QStringLiteral("ready")));

    std::printf("\nSearching a file of 1,000,000 lines, about 320,000 of them holding \"gamma\":\n");
    runScenario(QStringLiteral("ours"), QStringLiteral("search"), big, cap);
    runScenario(QStringLiteral("reference"), QStringLiteral("search"), big, cap);
    std::printf("\nA regular expression over big.txt:\n");
    runScenario(QStringLiteral("ours"), QStringLiteral("regex"), big, cap);

    std::printf("\nSettings file with 100,000 entries in each of four lists:\n");
    const QString settings = dir.path() + QStringLiteral("/Verno.reg");
    if (!writeBigSettings(settings, 100'000))
        return 1;
    const Figures start = runScenario(QStringLiteral("ours"), QStringLiteral("settings"), settings, cap);
    row("start-up, reading the settings", "start", start, {}, 1, "s");
    row("exit, writing the settings", "exit", start, {}, 1, "s");
    runHuge(dir.path());
    return 0;
}
