// Replace all with a pattern and groups over the large file, sed -E beside.
#include "bench_regex.h"
#include "benchclock.h"
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

namespace verno {

namespace {

using bench::timed;
using bench::Timing;

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
    const Timing ours = timed([&] {
        SearchEngine(w->Memo(), o, frame).ReplaceOccurrences();
        QCoreApplication::processEvents(); // the one repaint after the loop
    });
    const QString out = path + QStringLiteral(".sed");
    const Timing sed = timed(
        [&] {
            QProcess p;
            p.setStandardOutputFile(out);
            p.start(QStringLiteral("sed"), {QStringLiteral("-E"), QStringLiteral("s/(gamma|delta) ([a-z]+)/\\2 \\1/g"), path});
            p.waitForFinished(-1);
        },
        true);
    QFile f(out);
    const bool same = f.open(QIODevice::ReadOnly) && f.readAll().toStdString() == w->Memo().WholeText();
    std::printf("Replace all \"(gamma|delta) ([a-z]+)\" by \"\\2 \\1\": %.2f s (cpu %.2f s); sed -E: %.2f s "
                "(cpu %.2f s); ratio %.1fx (cpu %.1fx); results %s\n",
                ours.wall, ours.cpu, sed.wall, sed.cpu, ours.wall / std::max(sed.wall, 1e-6),
                ours.cpu / std::max(sed.cpu, 1e-6), same ? "the same" : "DIFFER");
    QFile::remove(out);
}

} // namespace verno
