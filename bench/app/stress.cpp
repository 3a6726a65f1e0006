// Stress runs of the windowed program through its real windows: the
// largest inputs a user can give it, each in a process of its own so that
// peak memory figures do not mix. Not a test: run it by hand on a release
// build, or run every scenario under GNU time with run_stress.sh.
//
//     velkrant_stress batch          1,000,000 thunder links converted in the batch window
//     velkrant_stress link-decode    one 10 MB thunder link decoded in the main window
//     velkrant_stress link-encode    one 10 MB address encoded in the main window
//     velkrant_stress import-list    a 100 MB list file imported
//     velkrant_stress import-binary  10 MB of random bytes (NULs and all) imported, then converted
//     velkrant_stress export         a 100 MB output exported
//
// Each phase prints its wall time and its own peak resident memory (the
// peak is reset before the phase where the kernel allows it). The exit
// code is 0 only when every phase gave the expected result.

#include "ListBox.h"
#include "Messages.h"
#include "ProcessMemory.h"
#include "clsComdlg.h"
#include "frmBatch.h"
#include "frmMain.h"
#include "modMain.h"
#include "modManifest.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace velkrant;
using Clock = std::chrono::steady_clock;

constexpr int kBatchLines = 1'000'000;
constexpr std::size_t kLinkChars = 10u << 20;
constexpr std::size_t kListBytes = 100u << 20;
constexpr std::size_t kBinaryBytes = 10u << 20;

// Runs a measured phase; `check` says whether its result was right.
bool Phase(const char* name, const std::function<void()>& action, const std::function<bool()>& check) {
    const bool reset = ProcessMemory::ResetPeak();
    const double before = ProcessMemory::ResidentMiB();
    const Clock::time_point start = Clock::now();
    action();
    // Whatever the change has left to lay out or paint happens now.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const bool ok = check();
    std::printf("%-14s %8.2f s   peak %7.0f MiB%s   (resident before %5.0f MiB)  %s\n", name, seconds,
                ProcessMemory::PeakMiB(), reset ? "" : " (process)", before, ok ? "ok" : "WRONG RESULT");
    std::fflush(stdout);
    return ok;
}

// Addresses of about a hundred characters, some with Chinese names so that
// the code-page conversion does real work.
std::u16string Address(int i) {
    std::u16string address = u"http://dl.example-mirror.net/pub/software/releases/2024/";
    address += (i % 4 == 0) ? u"软件包-" : u"package-";
    address += QString::number(i).toStdU16String();
    address += u"-x86_64-full.zip?from=list";
    return address;
}

std::u16string Lines(int count, const std::function<std::u16string(int)>& line) {
    std::u16string text;
    text.reserve(static_cast<std::size_t>(count) * 150);
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += u"\r\n";
        text += line(i);
    }
    return text;
}

std::u16string LongAddress(std::size_t chars) {
    std::u16string address = u"http://dl.example-mirror.net/";
    for (int i = 0; address.size() < chars; ++i) address += u"segment-" + QString::number(i).toStdU16String() + u'/';
    address.resize(chars);
    return address;
}

class Run {
public:
    explicit Run(const QString& workDir) : workDir_(workDir) {
        SetMessageNotifier([this](const Message& message) { messages_.push_back(QString::fromStdU16String(message.text)); });
        window_ = modManifest::ShowMainWindow();
        (void)QTest::qWaitForWindowExposed(window_.get());
    }
    ~Run() {
        window_->close();
        SetMessageNotifier({});
    }

    frmMain& Main() { return *window_; }
    frmBatch& Batch() { return window_->Batch(); }
    QString Path(const char* name) const { return QDir(workDir_).filePath(QLatin1String(name)); }

    void OpenBatchWindow() { window_->chkBatch->click(); }

    // The one message the last action showed, or "" for none.
    QString TakeMessage() {
        QString text = messages_.size() == 1 ? messages_[0] : messages_.empty() ? QString() : QStringLiteral("(several)");
        messages_.clear();
        return text;
    }

    void ClickWithFile(QPushButton* button, const QString& path) {
        clsComdlg::AnswerNextFileDialog([path](QFileDialog&) { return FileDialogRun::Answer{path, 1}; });
        button->click();
    }

private:
    QString workDir_;
    std::unique_ptr<frmMain> window_;
    std::vector<QString> messages_;
};

bool Batch(Run& run) {
    run.OpenBatchWindow();
    std::u16string list = Lines(kBatchLines, [](int i) { return modMain::ThunderEncode(Address(i)); });
    bool ok = Phase("fill input", [&] { run.Batch().txtBatchIn->SetText(std::move(list)); },
                    [&] { return run.Batch().txtBatchIn->LineCount() == kBatchLines; });
    ok &= Phase("convert", [&] { run.Main().cmdCode->click(); }, [&] {
        return run.TakeMessage() == QStringLiteral("批量处理已完成!") &&
               run.Batch().txtBatchOut->LineCount() == kBatchLines &&
               run.Batch().txtBatchOut->Text().ends_with(Address(kBatchLines - 1));
    });
    return ok;
}

// Pastes `input` into the main window, as a user would, and converts it by
// the mode of option button `mode`.
bool SingleLink(Run& run, const std::u16string& input, int mode, const std::u16string& expected) {
    QApplication::clipboard()->setText(QString::fromStdU16String(input));
    run.Main().optOption[static_cast<std::size_t>(mode)]->click();
    bool ok = Phase("paste", [&] { run.Main().cmdPaste->click(); },
                    [&] { return run.Main().txtInput->text().size() == static_cast<qsizetype>(input.size()); });
    ok &= Phase("convert", [&] { run.Main().cmdCode->click(); },
                [&] { return run.Main().txtOutput->text() == QString::fromStdU16String(expected); });
    return ok;
}

bool LinkDecode(Run& run) {
    const std::u16string address = LongAddress(kLinkChars * 3 / 4 - 4);
    const std::u16string link = modMain::ThunderEncode(address);
    std::printf("link of %zu characters\n", link.size());
    return SingleLink(run, link, 0, address);
}

bool LinkEncode(Run& run) {
    const std::u16string address = LongAddress(kLinkChars);
    return SingleLink(run, address, 4, modMain::ThunderEncode(address));
}

bool ImportList(Run& run) {
    // Written line by line, so preparing the file costs the process little.
    const QString path = run.Path("links.lst");
    int lines = 0;
    {
        std::ofstream file(path.toStdString(), std::ios::binary);
        std::size_t written = 0;
        for (; written < kListBytes; ++lines) {
            const std::string line = QString::fromStdU16String(modMain::ThunderEncode(Address(lines))).toStdString() + "\r\n";
            file << line;
            written += line.size();
        }
    }
    std::printf("list file of %lld bytes, %d lines\n", static_cast<long long>(QFile(path).size()), lines);
    run.OpenBatchWindow();
    return Phase("import", [&] { run.ClickWithFile(run.Batch().cmdImport, path); }, [&] {
        return run.TakeMessage().isEmpty() && run.Batch().txtBatchIn->LineCount() == lines;
    });
}

bool ImportBinary(Run& run) {
    const QString path = run.Path("random.txt");
    {
        std::mt19937 random(20240601);
        std::string bytes(kBinaryBytes, '\0');
        for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    }
    run.OpenBatchWindow();
    bool ok = Phase("import", [&] { run.ClickWithFile(run.Batch().cmdImport, path); }, [&] {
        return run.TakeMessage().isEmpty() && !run.Batch().txtBatchIn->Text().empty();
    });
    std::printf("imported %d lines\n", run.Batch().txtBatchIn->LineCount());
    ok &= Phase("convert", [&] { run.Main().cmdCode->click(); },
                [&] { return run.TakeMessage() == QStringLiteral("批量处理已完成!"); });
    return ok;
}

bool Export(Run& run) {
    run.OpenBatchWindow();
    // The output box is filled the way a batch run fills it.
    std::size_t lines = kListBytes / 100;
    bool ok = Phase("fill output", [&] { run.Main().SetBatchOutText(Lines(static_cast<int>(lines), Address)); },
                    [&] { return run.Batch().txtBatchOut->LineCount() == static_cast<int>(lines); });
    const QString path = run.Path("out.lst");
    ok &= Phase("export", [&] { run.ClickWithFile(run.Batch().cmdExport, path); },
                [&] { return run.TakeMessage() == QStringLiteral("已保存!") && QFile(path).size() >= 100'000'000; });
    std::printf("exported %lld bytes\n", static_cast<long long>(QFile(path).size()));
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const std::map<std::string, std::function<bool(Run&)>> scenarios = {
        {"batch", Batch},           {"link-decode", LinkDecode},     {"link-encode", LinkEncode},
        {"import-list", ImportList}, {"import-binary", ImportBinary}, {"export", Export},
    };
    const auto scenario = argc > 1 ? scenarios.find(argv[1]) : scenarios.end();
    if (scenario == scenarios.end()) {
        std::fprintf(stderr, "usage: velkrant_stress SCENARIO [WORK_DIR]\nscenarios:");
        for (const auto& [name, run] : scenarios) std::fprintf(stderr, " %s", name.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    QTemporaryDir temporary;
    const QString workDir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    bool ok = false;
    {
        Run run(workDir);
        std::printf("%s\n", scenario->first.c_str());
        ok = scenario->second(run);
    }
    return ok ? 0 : 1;
}
