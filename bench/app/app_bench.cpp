// Speed of the windowed program through its real windows. Not a test: run
// it by hand on a release build. It uses Qt's offscreen platform unless
// QT_QPA_PLATFORM names another (xcb under Xvfb, for instance).
//
//     build/release/bench/app/velkrant_app_bench

#include "BoxText.h"
#include "Messages.h"
#include "frmBatch.h"
#include "frmMain.h"
#include "modMain.h"
#include "modManifest.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

using namespace velkrant;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// Typical Thunder links: addresses of a little over a hundred characters.
std::u16string ThunderList(int lines) {
    std::u16string list;
    for (int i = 0; i < lines; ++i) {
        if (i > 0) list += u"\r\n";
        const std::u16string address = u"http://dl.example-mirror.net/pub/software/releases/2024/package-" +
                                       QString::number(i).toStdU16String() + u"-x86_64-full.zip?from=list";
        list += modMain::ThunderEncode(address);
    }
    return list;
}

std::unique_ptr<frmMain> ShownMainWindow() {
    std::unique_ptr<frmMain> window = modManifest::ShowMainWindow();
    (void)QTest::qWaitForWindowExposed(window.get());
    return window;
}

// From the click on the convert button to the closing message, with the
// batch window open as a user has it.
void BatchThroughWindows(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    std::unique_ptr<frmMain> window = ShownMainWindow();
    window->chkBatch->click();
    BoxText::Set(*window->Batch().txtBatchIn, ThunderList(lines));
    Clock::time_point finished;
    const MessageNotifier previous = SetMessageNotifier([&](const Message&) { finished = Clock::now(); });
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        window->cmdCode->click();
        state.SetIterationTime(Seconds(finished - start));
    }
    if (window->Batch().txtBatchOut->document()->blockCount() != lines) {
        state.SkipWithError("the output does not hold one line per input line");
    }
    SetMessageNotifier(previous);
    window->close();
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BatchThroughWindows)->Arg(32768)->Arg(200000)->UseManualTime()->Unit(benchmark::kMillisecond);

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
