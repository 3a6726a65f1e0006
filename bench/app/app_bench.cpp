// Speed of the windowed program through its real windows. Not a test: run
// it by hand on a release build. It uses Qt's offscreen platform unless
// QT_QPA_PLATFORM names another (xcb under Xvfb, for instance).
//
//     build/release/bench/app/velkrant_app_bench
//
// The list rows run at 32,768, 200,000 and 1,000,000 lines side by side;
// the copy and paste rows at 1,000,000.
// Each gives its time from the click to the finished, repainted box (and
// the CPU time of it), the lines per second, the microseconds per line
// (flat when the cost grows with the number of lines and no faster) and
// the peak resident memory of the process during the click.

#include "ListBox.h"
#include "ListFile.h"
#include "Messages.h"
#include "ProcessMemory.h"
#include "clsComdlg.h"
#include "frmBatch.h"
#include "frmMain.h"
#include "modMain.h"
#include "modManifest.h"

#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <utility>

namespace {

using namespace velkrant;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

std::u16string Address(int i) {
    return u"http://dl.example-mirror.net/pub/software/releases/2024/package-" + QString::number(i).toStdU16String() +
           u"-x86_64-full.zip?from=list";
}

// `lines` lines made by `line`, joined by CR LF.
std::u16string List(int lines, const std::function<std::u16string(int)>& line) {
    std::u16string list;
    for (int i = 0; i < lines; ++i) {
        if (i > 0) list += u"\r\n";
        list += line(i);
    }
    return list;
}

// Typical Thunder links: addresses of a little over a hundred characters.
std::u16string ThunderList(int lines) {
    return List(lines, [](int i) { return modMain::ThunderEncode(Address(i)); });
}

std::unique_ptr<frmMain> ShownMainWindow() {
    std::unique_ptr<frmMain> window = modManifest::ShowMainWindow();
    (void)QTest::qWaitForWindowExposed(window.get());
    return window;
}

// The main window with the batch window open, as a user has it; messages
// are answered at once.
class OpenBatchWindow {
public:
    OpenBatchWindow() : previous_(SetMessageNotifier([](const Message&) {})) { window_->chkBatch->click(); }
    ~OpenBatchWindow() {
        window_->close();
        SetMessageNotifier(previous_);
    }
    frmMain& Main() { return *window_; }
    frmBatch& Batch() { return window_->Batch(); }

private:
    MessageNotifier previous_;
    std::unique_ptr<frmMain> window_ = ShownMainWindow();
};

// Times `action` up to the finished, repainted window after `prepare`, which
// is not timed, once per iteration, and reports the figures of the list rows.
void MeasureListRow(benchmark::State& state, const std::function<void()>& prepare,
                    const std::function<void()>& action) {
    double seconds = 0;
    double peak = 0;
    for (auto _ : state) {
        // Outside the CPU time too, which on a busy machine tells how much
        // of the wall time was the program's own.
        state.PauseTiming();
        prepare();
        state.ResumeTiming();
        ProcessMemory::ResetPeak();
        const Clock::time_point start = Clock::now();
        action();
        QCoreApplication::processEvents();
        const double iteration = Seconds(Clock::now() - start);
        state.SetIterationTime(iteration);
        seconds += iteration;
        peak = std::max(peak, ProcessMemory::PeakMiB());
    }
    const auto lines = static_cast<double>(state.range(0)) * static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<std::int64_t>(lines));
    state.counters["us_per_line"] = seconds * 1e6 / lines;
    state.counters["peak_MiB"] = peak;
}

bool HoldsLines(const ListBox& box, int lines) {
    return box.LineCount() == lines;
}

// From the click on the convert button to the finished output box; every
// run starts with an empty output box, as a user's first run does.
void BatchThroughWindows(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    OpenBatchWindow windows;
    windows.Batch().txtBatchIn->SetText(ThunderList(lines));
    MeasureListRow(
        state, [&] { windows.Batch().txtBatchOut->clear(); }, [&] { windows.Main().cmdCode->click(); });
    if (!HoldsLines(*windows.Batch().txtBatchOut, lines)) {
        state.SkipWithError("the output does not hold one line per input line");
    }
}

// The output box alone, filled as a batch run fills it: the share of the
// batch that the text box itself takes.
void FillOutputBox(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    OpenBatchWindow windows;
    const std::u16string output = List(lines, Address);
    std::u16string handedOver;
    // A run hands its output over; the copy to hand over is made untimed.
    const auto prepare = [&] {
        windows.Batch().txtBatchOut->clear();
        handedOver = output;
    };
    MeasureListRow(state, prepare, [&] { windows.Main().SetBatchOutText(std::move(handedOver)); });
    if (!HoldsLines(*windows.Batch().txtBatchOut, lines)) {
        state.SkipWithError("the output box does not hold every line");
    }
}

// From the click on the import button (the file dialog answered at once)
// to the finished input box.
void ImportThroughWindows(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("links.lst"));
    ListFile::Write(path, QString::fromStdU16String(ThunderList(lines)));
    OpenBatchWindow windows;
    const auto prepare = [&] {
        windows.Batch().txtBatchIn->clear();
        clsComdlg::AnswerNextFileDialog([path](QFileDialog&) { return FileDialogRun::Answer{path, 1}; });
    };
    MeasureListRow(state, prepare, [&] { windows.Batch().cmdImport->click(); });
    if (!HoldsLines(*windows.Batch().txtBatchIn, lines)) {
        state.SkipWithError("the input box does not hold every line of the file");
    }
}

void ListSizes(benchmark::internal::Benchmark* row) {
    row->Arg(32768)->Arg(200000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond);
}
BENCHMARK(BatchThroughWindows)->Apply(ListSizes);
BENCHMARK(FillOutputBox)->Apply(ListSizes);
BENCHMARK(ImportThroughWindows)->Apply(ListSizes);

// A copy, from the key or click to the clipboard taken and the window
// repainted. The clipboard renders the text only when it is pasted: the
// time that takes (what another program waits for) is "paste_render_ms".
void MeasureCopy(benchmark::State& state, ListBox& (*box)(frmBatch&), const std::function<void(frmBatch&)>& copy) {
    const int lines = static_cast<int>(state.range(0));
    OpenBatchWindow windows;
    box(windows.Batch()).SetText(ThunderList(lines));
    MeasureListRow(state, [] { QApplication::clipboard()->clear(); }, [&] { copy(windows.Batch()); });
    const Clock::time_point start = Clock::now();
    const QString pasted = QApplication::clipboard()->text();
    state.counters["paste_render_ms"] = Seconds(Clock::now() - start) * 1000.0;
    if (pasted.count(u'\n') != lines - 1) state.SkipWithError("the clipboard does not hold every line");
}

ListBox& InputBox(frmBatch& batch) {
    return *batch.txtBatchIn;
}

ListBox& OutputBox(frmBatch& batch) {
    return *batch.txtBatchOut;
}

void CtrlACtrlC(ListBox& box) {
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
}

void CopyInputBoxByKeys(benchmark::State& state) {
    MeasureCopy(state, InputBox, [](frmBatch& batch) { CtrlACtrlC(*batch.txtBatchIn); });
}

void CopyOutputBoxByKeys(benchmark::State& state) {
    MeasureCopy(state, OutputBox, [](frmBatch& batch) { CtrlACtrlC(*batch.txtBatchOut); });
}

void CopyOutputByButton(benchmark::State& state) {
    MeasureCopy(state, OutputBox, [](frmBatch& batch) { batch.cmdCopy->click(); });
}

void MillionLines(benchmark::internal::Benchmark* row) {
    row->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond);
}
BENCHMARK(CopyInputBoxByKeys)->Apply(MillionLines);
BENCHMARK(CopyOutputBoxByKeys)->Apply(MillionLines);
BENCHMARK(CopyOutputByButton)->Apply(MillionLines);

// Five rounds of Ctrl+A, Ctrl+V of a whole list into the input box: the
// undo history keeps what the pastes replaced only up to its budget.
// "resident_MiB" is the process's memory after the fifth, the box's text,
// the history's and the clipboard's copy of the list included.
void FivePastesOverTheList(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    OpenBatchWindow windows;
    ListBox& box = *windows.Batch().txtBatchIn;
    double resident = 0;
    for (auto _ : state) {
        state.PauseTiming();
        box.clear();
        QApplication::clipboard()->setText(QString::fromStdU16String(ThunderList(lines)));
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        for (int round = 0; round < 5; ++round) {
            QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        }
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(Clock::now() - start));
        ProcessMemory::ResetPeak();
        resident = ProcessMemory::ResidentMiB();
    }
    state.counters["resident_MiB"] = resident;
    if (!HoldsLines(box, lines)) state.SkipWithError("the box does not hold the pasted list");
}
BENCHMARK(FivePastesOverTheList)->Apply(MillionLines)->Iterations(1);

// Start-up as the program runs it, once the toolkit is loaded: create,
// place and show the main window until it is on screen.
void StartUpToShownMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<frmMain> window = ShownMainWindow();
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUpToShownMainWindow)->Unit(benchmark::kMillisecond);

// One slide open, from the click on the batch box to its return.
void SlideOpen(benchmark::State& state) {
    std::unique_ptr<frmMain> window = ShownMainWindow();
    for (auto _ : state) {
        window->chkBatch->click();
        state.PauseTiming();
        window->chkBatch->click();
        state.ResumeTiming();
    }
    window->close();
}
BENCHMARK(SlideOpen)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The first start of a process also loads the toolkit, its platform
    // plugin and the fonts: measured once, before everything else.
    const Clock::time_point start = Clock::now();
    QApplication application(argc, argv);
    {
        const std::unique_ptr<frmMain> window = ShownMainWindow();
        benchmark::AddCustomContext("cold start-up to shown main window",
                                    std::to_string(Seconds(Clock::now() - start) * 1000.0) + " ms");
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
