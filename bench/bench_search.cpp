// Find the last line from the top and replace every "gamma" in a large file,
// with grep and sed on the same file beside them.
#include "bench_search.h"
#include "benchclock.h"
#include "app/mainwindow.h"
#include "window/filewindow.h"
#include "search/searchengine.h"
#include "search/searchoptions.h"

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

QByteArray lineText(int i)
{
    // About a third of the lines (8 in 25) hold one "gamma".
    return QByteArray("Line ") + QByteArray::number(i).rightJustified(7, '0')
           + (i % 25 < 8 ? QByteArray(" the quick brown fox jumps over a gamma dog")
                         : QByteArray(" the quick brown fox jumps over a lazy dog"));
}

QString makeSearchFile(const QString &dir, int lines)
{
    const QString path = dir + QStringLiteral("/search.txt");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    QByteArray chunk;
    for (int i = 0; i < lines; ++i) {
        chunk += lineText(i) + "\r\n";
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
    return path;
}


// A shell command's time, and its output.
Timing timeShell(const QString &command, QByteArray *output = nullptr)
{
    QProcess p;
    const Timing result = timed(
        [&] {
            p.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
            p.waitForFinished(-1);
        },
        true);
    if (output)
        *output = p.readAllStandardOutput().trimmed();
    return result;
}

void setSearch(T_SearchOptions &o, const QByteArray &find)
{
    o.SetFindText(find.toStdString());
    o.Origin = T_SearchOptions::kOriginEntire;
    o.FirstSearch = true;
    o.ReportNotFound = true;
    o.Backward = false;
    o.CaseSensitive = false;
    o.WholeWords = false;
}

} // namespace

void benchSearch(TMainWindow &frame, const QString &dir, int lines)
{
    for (TFileWindow *w : frame.editWindows()) {
        w->Memo().SetModifiedFlag(false);
        w->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QString path = makeSearchFile(dir, lines);
    if (!frame.OpenEditWindow(path, false))
        return;
    QCoreApplication::processEvents();
    TFileWindow *w = frame.activeWindow();
    T_SearchOptions &o = frame.searchOptions();
    SearchEngine engine(w->Memo(), o, frame);

    const QByteArray last = lineText(lines - 1);
    setSearch(o, last);
    bool found = false;
    const Timing find = timed([&] {
        found = engine.Search();
        QCoreApplication::processEvents();
    });
    QByteArray count;
    const Timing grep = timeShell(QStringLiteral("grep -c '%1' '%2'").arg(QString::fromLatin1(last), path), &count);
    std::printf("Find the last line from the top: %.2f s (cpu %.2f s, %s); grep -c: %.2f s (cpu %.2f s, %s)\n",
                find.wall, find.cpu, found ? "found" : "NOT FOUND", grep.wall, grep.cpu, count.constData());

    setSearch(o, "gamma");
    o.SetReplaceText("GAMMA");
    o.AllOccurrences = true;
    o.PromptOnReplace = false;
    w->Memo().SetCaret(0);
    const Timing replace = timed([&] {
        engine.ReplaceOccurrences();
        QCoreApplication::processEvents(); // the one repaint after the loop
    });
    const Timing sed = timeShell(QStringLiteral("sed 's/gamma/GAMMA/g' '%1' > '%1.sed'").arg(path));
    const std::string text = w->Memo().WholeText();
    size_t replaced = 0;
    for (size_t p = text.find("GAMMA"); p != std::string::npos; p = text.find("GAMMA", p + 1))
        ++replaced;
    std::printf("Replace all \"gamma\": %.2f s (cpu %.2f s, %zu replaced); sed: %.2f s (cpu %.2f s); "
                "ratio %.1fx (cpu %.1fx)\n",
                replace.wall, replace.cpu, replaced, sed.wall, sed.cpu, replace.wall / std::max(sed.wall, 1e-6),
                replace.cpu / std::max(sed.cpu, 1e-6));
}

} // namespace verno
