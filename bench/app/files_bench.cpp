// Speed of list files: importing a 32,768-line list and exporting the
// converted output, both straight through the list-file module and through
// the batch window's import and export (dialog answered by its test hook,
// so the figure covers everything but the person). Not a test: run it by
// hand on a release build.

#include "BatchFiles.h"
#include "ConversionCommand.h"
#include "ListFile.h"
#include "Messages.h"
#include "clsComdlg.h"
#include "modMain.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace velkrant;

constexpr int kLines = 32768;

class BatchNotices : public NoticeTarget {
public:
    bool BatchTicked() const override { return true; }
    void ShowMessage(const Message&) override {}
};

// Thunder links of addresses with Chinese names, so the code-page
// conversion does real work on every line.
QString ThunderList() {
    QString text;
    for (int i = 0; i < kLines; ++i) {
        const QString address = QStringLiteral("http://dl.example-mirror.net/pub/2024/软件包-%1.rar").arg(i, 5, 10, QChar(u'0'));
        text += QString::fromStdU16String(modMain::ThunderEncode(address.toStdU16String()));
        if (i + 1 < kLines) text += QStringLiteral("\r\n");
    }
    return text;
}

QString ConvertedOutput(const QString& list) {
    BatchNotices notices;
    return QString::fromStdU16String(
        ConversionCommand::ConvertBatchText(ModeThunderDecode, list.toStdU16String(), notices));
}

struct Fixture {
    QTemporaryDir dir;
    QString listPath = dir.filePath(QStringLiteral("links.lst"));
    QString outPath = dir.filePath(QStringLiteral("out.lst"));
    QString list = ThunderList();
    QString output = ConvertedOutput(list);
    Fixture() { ListFile::Write(listPath, list); }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void AnswerNextDialog(const QString& path) {
    clsComdlg::AnswerNextFileDialog([path](QFileDialog&) { return FileDialogRun::Answer{path, 1}; });
}

void ImportListFile(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) benchmark::DoNotOptimize(ListFile::Read(f.listPath));
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(ImportListFile)->Unit(benchmark::kMillisecond);

// The converted output, every line an address with Chinese characters.
void ImportChineseAddresses(benchmark::State& state) {
    Fixture& f = Shared();
    ListFile::Write(f.outPath, f.output);
    for (auto _ : state) benchmark::DoNotOptimize(ListFile::Read(f.outPath));
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(ImportChineseAddresses)->Unit(benchmark::kMillisecond);

void ImportThroughBatchWindow(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        AnswerNextDialog(f.listPath);
        benchmark::DoNotOptimize(BatchFiles::Import(nullptr));
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(ImportThroughBatchWindow)->Unit(benchmark::kMillisecond);

void ExportConvertedOutput(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) ListFile::Write(f.outPath, f.output);
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(ExportConvertedOutput)->Unit(benchmark::kMillisecond);

void ExportThroughBatchWindow(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        AnswerNextDialog(f.outPath);
        BatchFiles::Export(nullptr, f.output);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(ExportThroughBatchWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
