// Replace all with a pattern and groups over the large file, sed -E beside.
#include "bench_regex.h"
#include "app/mainwindow.h"
#include "search/searchengine.h"
#include "search/searchoptions.h"
#include "window/filewindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace verno {

namespace {

double cpuSeconds(bool children)
{
    if (!children) {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return double(ts.tv_sec) + ts.tv_nsec / 1e9;
    }
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Timing {
    double wall = 0;
    double cpu = 0;
};

template <typename F> Timing timed(bool children, F &&f)
{
    QElapsedTimer t;
    t.start();
    const double cpu = cpuSeconds(children);
    f();
    return {t.nsecsElapsed() / 1e9, cpuSeconds(children) - cpu};
}

} // namespace

void benchRegexReplace(TMainWindow &frame, const QString &path)
{
    if (!frame.OpenEditWindow(path, false))
        return;
    QCoreApplication::processEvents();
    TFileWindow *w = frame.activeWindow();
    T_SearchOptions &o = frame.searchOptions();
    o.RegularExpression = true;
    o.SetFindText("(gamma|delta) ([a-z]+)");
    o.SetReplaceText("\\2 \\1");
    o.CaseSensitive = true;
    o.WholeWords = o.Backward = o.PromptOnReplace = false;
    o.AllOccurrences = true;
    o.Origin = T_SearchOptions::kOriginEntire;
    o.FirstSearch = o.ReportNotFound = true;
    const Timing ours = timed(false, [&] {
        SearchEngine(w->Memo(), o, frame).ReplaceOccurrences();
        QCoreApplication::processEvents(); // the one repaint after the loop
    });
    const QString out = path + QStringLiteral(".sed");
    const Timing sed = timed(true, [&] {
        QProcess p;
        p.setStandardOutputFile(out);
        p.start(QStringLiteral("sed"), {QStringLiteral("-E"), QStringLiteral("s/(gamma|delta) ([a-z]+)/\\2 \\1/g"), path});
        p.waitForFinished(-1);
    });
    QFile f(out);
    const bool same = f.open(QIODevice::ReadOnly) && f.readAll().toStdString() == w->Memo().WholeText();
    std::printf("Replace all \"(gamma|delta) ([a-z]+)\" by \"\\2 \\1\": %.2f s (cpu %.2f s); sed -E: %.2f s "
                "(cpu %.2f s); ratio %.1fx (cpu %.1fx); results %s\n",
                ours.wall, ours.cpu, sed.wall, sed.cpu, ours.wall / std::max(sed.wall, 1e-6),
                ours.cpu / std::max(sed.cpu, 1e-6), same ? "the same" : "DIFFER");
    QFile::remove(out);
}

} // namespace verno
