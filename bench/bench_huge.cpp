// A 581 MB log: open, keys at the end, find, replace all, save, word wrap and
// a thumb drag, each timed to its repaint, with wc, sed and cp beside.
#include "bench_huge.h"
#include "benchclock.h"
#include "app/mainwindow.h"
#include "window/filewindow.h"
#include "search/searchengine.h"
#include "search/searchoptions.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace verno {

namespace {

constexpr int kLines = 8'000'000;

void report(const char *name, double value) { std::printf("%s %.6f\n", name, value); }

long peakMegabytes()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

QAbstractScrollArea *viewOf(TFileWindow &w) { return qobject_cast<QAbstractScrollArea *>(w.Memo().widget()); }

// Something done, timed to its repaint.
using Span = bench::Timing;
template <typename F> Span measure(F &&f)
{
    return bench::timed([&] {
        f();
        QCoreApplication::processEvents();
    });
}

void report(const char *name, const Span &s)
{
    std::printf("%s %.6f\n%scpu %.6f\n", name, s.wall, name, s.cpu);
}

// A key sent to the view, until its repaint is done.
Span press(TFileWindow &w, int key, Qt::KeyboardModifiers mods, const QString &text = {})
{
    return measure([&] {
        QKeyEvent event(QEvent::KeyPress, key, mods, text);
        QCoreApplication::sendEvent(w.Memo().widget(), &event);
        QCoreApplication::processEvents();
        viewOf(w)->viewport()->repaint();
    });
}

void search(T_SearchOptions &o, const char *find, const char *replace)
{
    o.SetFindText(find);
    o.SetReplaceText(replace);
    o.Origin = T_SearchOptions::kOriginEntire;
    o.FirstSearch = true;
    o.ReportNotFound = true;
    o.Backward = false;
    o.CaseSensitive = true;
    o.WholeWords = false;
    o.AllOccurrences = true;
    o.PromptOnReplace = false;
}

// Every step of a drag from the top to the bottom, to its repaint; the slowest.
Span thumbDrag(TFileWindow &w)
{
    QScrollBar *bar = viewOf(w)->verticalScrollBar();
    Span slowest;
    const int steps = 100;
    for (int k = 0; k <= steps; ++k) {
        const Span step = measure([&] {
            bar->setValue(int(qint64(bar->maximum()) * k / steps));
            viewOf(w)->viewport()->repaint();
        });
        slowest = {std::max(slowest.wall, step.wall), std::max(slowest.cpu, step.cpu)};
    }
    return slowest;
}

void keysAtTheEnd(TFileWindow &w)
{
    report("ctrlend", press(w, Qt::Key_End, Qt::ControlModifier));
    report("firstkey", press(w, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
    std::vector<Span> later;
    for (int i = 0; i < 50; ++i)
        later.push_back(press(w, Qt::Key_Y, Qt::NoModifier, QStringLiteral("y")));
    const auto byWall = [](const Span &a, const Span &b) { return a.wall < b.wall; };
    std::sort(later.begin(), later.end(), byWall);
    report("laterkey", later[later.size() / 2]);
    report("laterkeymax", later.back());
}

// A shell command with the file as "$1", so its name is never part of the
// command: wall seconds, and processor seconds under name + "cpu".
void shell(std::map<QString, double> &figures, const char *name, const char *command, const QString &path)
{
    QProcess p;
    const bench::Timing t = bench::timed(
        [&] {
            p.start(QStringLiteral("sh"), {QStringLiteral("-c"), QString::fromLatin1(command), QStringLiteral("sh"), path});
            p.waitForFinished(-1);
        },
        true);
    figures[QString::fromLatin1(name)] = t.wall;
    figures[QString::fromLatin1(name) + QStringLiteral("cpu")] = t.cpu;
}

} // namespace

bool writeHugeLog(const QString &path, bool crlf)
{
    static const char *const levels[] = {"INFO ", "DEBUG", "WARN ", "ERROR"};
    static const char *const what[] = {"request served",         "cache miss for key", "connection closed by peer",
                                       "retrying upstream call", "user logged in",     "queue depth"};
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    std::vector<char> chunk;
    chunk.reserve(1 << 21);
    char line[200];
    for (long i = 0; i < kLines; ++i) {
        const long s = i / 100;
        const int n = std::snprintf(line, sizeof line, "2024-03-%02ld %02ld:%02ld:%02ld.%03ld %s %s id=%08ld took %ld ms%s%s",
                                    1 + s / 86400 % 28, s / 3600 % 24, s / 60 % 60, s % 60, i % 1000, levels[i % 4],
                                    what[i % 6], i * 7919 % 100000000, i % 1500,
                                    i == kLines - 1 ? " zanzibarquux" : "", crlf ? "\r\n" : "\n");
        chunk.insert(chunk.end(), line, line + n);
        if (chunk.size() > (1 << 20)) {
            if (f.write(chunk.data(), qint64(chunk.size())) != qint64(chunk.size()))
                return false;
            chunk.clear();
        }
    }
    return f.write(chunk.data(), qint64(chunk.size())) == qint64(chunk.size());
}

void benchHuge(TMainWindow &frame, const QString &path, bool readyOnly)
{
    report("ready", measure([&] { frame.OpenEditWindow(path, false); }));
    report("peak", double(peakMegabytes()));
    TFileWindow *w = frame.activeWindow();
    if (!w || readyOnly)
        return;
    keysAtTheEnd(*w);
    report("drag", thumbDrag(*w));
    T_SearchOptions &o = frame.searchOptions();
    SearchEngine engine(w->Memo(), o, frame);
    search(o, "zanzibarquux", "");
    bool found = false;
    report("find", measure([&] { found = engine.Search(); }));
    if (!found)
        std::printf("find: NOT FOUND\n");
    search(o, "ERROR", "FAILED");
    report("replace", measure([&] { engine.ReplaceOccurrences(); }));
    report("save", measure([&] { w->Save(); }));
    report("wrapon", measure([&] {
        w->Memo().SetWordWrap(true);
        QCoreApplication::processEvents();
        w->Memo().LineOf(w->Memo().TextLength()); // the last line's number is exact
    }));
    report("dragwrap", thumbDrag(*w));
    report("peakend", double(peakMegabytes()));
}

std::map<QString, double> toolFigures(const QString &path)
{
    std::map<QString, double> f;
    shell(f, "wc -l", "wc -l \"$1\" > /dev/null", path);
    shell(f, "sed", "sed 's/ERROR/FAILED/g' \"$1\" > \"$1.sed\"", path);
    shell(f, "cp", "cp \"$1\" \"$1.cp\"", path);
    shell(f, "cp and sync", "cp \"$1\" \"$1.cp2\" && sync \"$1.cp2\"", path);
    shell(f, "rm", "rm -f \"$1.sed\" \"$1.cp\" \"$1.cp2\"", path);
    return f;
}

} // namespace verno
