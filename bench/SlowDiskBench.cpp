// The window on the tests' slow FUSE disk (tests/fuse), offscreen: how long
// it stops answering while the pointer hovers over a file that reads slowly
// or hangs, or while a slow folder is opened, and how long closing takes with
// a read hanging. The tests check what the window does there; these figures
// are how long it takes, which only a benchmark may say.
#include "WindowBench.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>

#include "DirectoryList.h"
#include "FileList.h"
#include "Form1.h"
#include "SlowMount.h"
#include "SmfBytes.h"

namespace {

// How long the window stopped answering while act ran and then until
// isDone: the longest the event loop went without running a 4 ms timer,
// act itself counted as one such stretch. At most 10 s.
qint64 LongestStall(const std::function<void()>& act, const std::function<bool()>& isDone) {
    QElapsedTimer clock;
    clock.start();
    act();
    qint64 longest = clock.restart();
    QTimer tick, check;
    QEventLoop loop;
    QObject::connect(&tick, &QTimer::timeout, [&] { longest = std::max(longest, clock.restart()); });
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (isDone() || clock.hasExpired(10000)) loop.quit();
    });
    tick.start(4);
    check.start(2);
    loop.exec();
    return longest;
}

QString ReportLine(const QPlainTextEdit& text, int line) { return text.toPlainText().split('\n').value(line); }

// One run of a slow-disk benchmark: what it does to a window started on the
// disk, and when that is done.
using SlowDiskAct = std::function<std::function<bool()>(Form1&, FileList&, QPlainTextEdit&)>;

// Mounts the slow disk over songs made in folder (reads and listings of
// "slow" names take 300 ms, "hung" ones never end), then in each iteration
// starts a window there, runs act, and closes the window.
void TimeOnSlowDisk(benchmark::State& state, const std::filesystem::path& folder, const SlowDiskAct& act) {
    const auto source = folder / "slow-source", point = folder / "slow-mount";
    std::filesystem::create_directories(source / "slow folder");
    std::filesystem::create_directories(point);
    for (const auto& [name, title] : {std::pair{"a.mid", "Alpha"}, {"slow.mid", "Slow"}, {"hung.mid", "Hung"},
                                      {"slow folder/inside.mid", "Inside"}}) {
        const Bytes bytes = TitledSong(title);
        std::ofstream(source / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const SlowMount mount(source.native(), point.native(), 300);
    if (!mount.isMounted()) return state.SkipWithError(mount.failure.toStdString().c_str());
    qint64 longest = 0, longestClose = 0;
    for (auto _ : state) {
        std::filesystem::current_path(point);
        auto form = std::make_unique<Form1>();
        form->show();
        auto& file1 = *form->findChild<FileList*>(QStringLiteral("File1"));
        auto& text1 = *form->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
        // The pointer moving to and fro over File1 all the while.
        QTimer mover;
        mover.callOnTimeout([&, moves = 0]() mutable {
            const QPoint at(++moves % 20, 5);
            QMouseEvent move(QEvent::MouseMove, at, file1.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
            QCoreApplication::sendEvent(file1.viewport(), &move);
        });
        mover.start(10);
        std::function<bool()> isDone;
        longest = std::max(longest, LongestStall([&] { isDone = act(*form, file1, text1); }, [&] { return isDone(); }));
        mover.stop();
        QElapsedTimer closing;
        closing.start();
        form.reset();
        longestClose = std::max(longestClose, closing.elapsed());
    }
    std::filesystem::current_path(folder);
    state.counters["longest_stall_ms"] = static_cast<double>(longest);
    state.counters["close_ms"] = static_cast<double>(longestClose);
}

int RowNamed(const FileList& list, const char* name) {
    for (int row = 0; row < list.count(); ++row)
        if (list.model()->index(row, 0).data().toString() == QString::fromUtf8(name)) return row;
    return -1;
}

}  // namespace

void RegisterSlowDiskBenchmarks(const std::filesystem::path& folder) {
    const auto run = [folder](const char* name, SlowDiskAct act) {
        benchmark::RegisterBenchmark(name, [folder, act](benchmark::State& state) { TimeOnSlowDisk(state, folder, act); })
            ->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    // A read of 300 ms a call: the waiting text, then the report.
    run("SlowDisk/HoverSlowFile", [](Form1&, FileList& file1, QPlainTextEdit& text1) {
        file1.setSelectedIndex(RowNamed(file1, "slow.mid"));
        return [&text1] { return ReportLine(text1, 6) == QStringLiteral("タイトル－ Slow"); };
    });
    // A read that never ends, then another file; closing leaves the hung read behind.
    run("SlowDisk/HoverHungFileThenAnother", [](Form1&, FileList& file1, QPlainTextEdit& text1) {
        file1.setSelectedIndex(RowNamed(file1, "hung.mid"));
        return [&file1, &text1] {
            if (ReportLine(text1, 2) == QStringLiteral("読み込み中…")) file1.setSelectedIndex(RowNamed(file1, "a.mid"));
            return ReportLine(text1, 6) == QStringLiteral("タイトル－ Alpha");
        };
    });
    // A folder listed in 300 ms: the chain at once, the lists when it arrives.
    run("SlowDisk/OpenSlowFolder", [](Form1& form, FileList& file1, QPlainTextEdit&) {
        auto& dir1 = *form.findChild<DirectoryList*>(QStringLiteral("Dir1"));
        dir1.setNativePath(dir1.nativePath() + "/slow folder");
        return [&file1] { return file1.count() == 1; };
    });
}
