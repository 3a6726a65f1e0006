// The printer dialog against a real print system: a private CUPS server
// with two queues (see PrivateCups.h).

#include "clsComdlg.h"

#include "CurrentPrinter.h"
#include "GuiFixture.h"
#include "ModalAnswer.h"
#include "PrintDialogRun.h"
#include "PrivateCups.h"
#include "QtPrinters.h"
#include "ScriptedFileDialog.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velkrant {
namespace {

using test::Find;
using test::PrintTo;

const QString First = QStringLiteral("Alpha");
const QString Second = QStringLiteral("Beta");

// What the generic PDF queues report: A4 paper, laid out at the toolkit's
// printing resolution, taking paper from the automatic bin.
constexpr std::int16_t A4 = 9;
constexpr std::int16_t A4Width = 2100;
constexpr std::int16_t A4Length = 2970;
constexpr std::int16_t Resolution = 1200;
constexpr std::int32_t AutomaticBin = 7;
const QString Driver = QStringLiteral("Generic CUPS-PDF Printer (w/ options)");

class PrinterTest : public testing::Test {
protected:
    explicit PrinterTest(QStringList queues = {First, Second}) : queues_(std::move(queues)) {}

    void SetUp() override {
        ASSERT_TRUE(test::PrivateCups::Instance().Start());
        ASSERT_TRUE(test::PrivateCups::Instance().SetQueues(queues_));
    }

    QStringList queues_;
    test::DialogHooks hooks_;
};

// The real dialog, driven by a timer acting as the user, who also opens
// the printer's properties to turn the page. With PrinterDefault the choice
// becomes the program's printer, so the next dialog starts there.
TEST_F(PrinterTest, RealDialogListsBothQueuesAndReturnsTheChoice) {
    clsComdlg d;
    d.SetMin(1);
    d.SetMax(10);
    d.SetPrinterDefault(true);
    test::AnswerNextModal<QPrintDialog>([&](QPrintDialog& dialog) {
        auto* printers = Find<QComboBox>(dialog, "printers");
        EXPECT_GE(printers->findText(First), 0);
        printers->setCurrentIndex(printers->findText(Second));
        Find<QSpinBox>(dialog, "copies")->setValue(3);
        Find<QRadioButton>(dialog, "printRange")->click();
        Find<QSpinBox>(dialog, "from")->setValue(2);
        Find<QSpinBox>(dialog, "to")->setValue(4);
        test::AnswerNextModal<QDialog>([](QDialog& properties) {
            Find<QRadioButton>(properties, "landscape")->click();
            properties.accept();
        });
        Find<QPushButton>(dialog, "properties")->click();
        dialog.accept();
    });
    d.ShowPrinter();
    EXPECT_EQ(d.PrinterName(), Second);
    EXPECT_EQ(d.Copies(), 3);
    EXPECT_EQ(d.FromPage(), 2);
    EXPECT_EQ(d.ToPage(), 4);
    EXPECT_EQ(d.Orientation(), 2);
    EXPECT_EQ(d.Flags() & Pd::PageNums, Pd::PageNums);
    EXPECT_EQ(d.PrinterExtraDefault(), 0);
    EXPECT_EQ(CurrentPrinter::Get().printerName(), Second);
    // Copies and orientation left unknown are the program's printer's.
    clsComdlg next;
    next.SetCopies(0);
    next.SetOrientation(0);
    clsComdlg::AnswerNextPrintDialog([](QPrintDialog& dialog) {
        EXPECT_EQ(dialog.printer()->printerName(), Second);
        EXPECT_EQ(dialog.printer()->copyCount(), 3);
        EXPECT_EQ(dialog.printer()->pageLayout().orientation(), QPageLayout::Landscape);
        return false;
    });
    next.ShowPrinter();
}

struct ChoiceCase {
    const char* name;
    // what the user chooses
    QString printer;  // empty: output to a file
    int copies;
    QPrinter::PrintRange range;
    QPrinter::ColorMode colorMode;
    bool collate;
    // what the properties say
    std::uint32_t flags;
    std::int16_t color;
    std::int16_t isDefault;
    std::int16_t deviceOffset;
    std::int16_t outputOffset;
};

class PrinterChoiceTest : public PrinterTest, public testing::WithParamInterface<ChoiceCase> {};

// The caller asks for a page range and the selection; the bits the dialog
// does not return as chosen are cleared, the others kept.
TEST_P(PrinterChoiceTest, ComesBackThroughTheProperties) {
    const ChoiceCase& c = GetParam();
    QTemporaryDir dir;
    const QString file = c.printer.isEmpty() ? dir.filePath(QStringLiteral("out.pdf")) : QString();
    clsComdlg d;
    d.SetMin(1);
    d.SetMax(10);
    d.SetFromPage(1);
    d.SetToPage(10);
    d.SetFlags(Pd::PageNums | Pd::Selection | Pd::ReturnDC);
    d.SethDC(7);
    clsComdlg::AnswerNextPrintDialog([&](QPrintDialog& dialog) {
        QPrinter& printer = *dialog.printer();
        printer.setPrinterName(c.printer);
        printer.setOutputFileName(file);
        printer.setCopyCount(c.copies);
        printer.setPrintRange(c.range);
        printer.setColorMode(c.colorMode);
        printer.setCollateCopies(c.collate);
        return true;
    });
    d.ShowPrinter();
    EXPECT_EQ(d.PrinterName(), c.printer);
    EXPECT_EQ(d.Copies(), c.copies);
    EXPECT_EQ(d.Flags(), c.flags | Pd::ReturnDC);
    // Pages not chosen: the range offered comes back.
    EXPECT_EQ(d.FromPage(), 1);
    EXPECT_EQ(d.ToPage(), 10);
    EXPECT_EQ(d.Orientation(), 1);
    EXPECT_EQ(d.hDC(), 0);
    EXPECT_EQ(d.PrinterDefaultSource(), AutomaticBin);
    EXPECT_EQ(d.PrinterExtraColor(), c.color);
    EXPECT_EQ(d.PrinterExtraCollate(), c.collate ? 1 : 0);
    EXPECT_EQ(d.PrinterExtraDuplex(), 1);
    EXPECT_EQ(d.PrinterExtraPaperSize(), A4);
    EXPECT_EQ(d.PrinterExtraPaperWidth(), A4Width);
    EXPECT_EQ(d.PrinterExtraPaperLength(), A4Length);
    EXPECT_EQ(d.PrinterExtraPrintQuality(), Resolution);
    EXPECT_EQ(d.PrinterExtraYResolution(), Resolution);
    // Every value above is marked as filled.
    EXPECT_EQ(d.PrinterExtraFields(), 0xBF0F);
    const QString driver = c.printer.isEmpty() ? QString() : Driver;
    EXPECT_EQ(d.PrinterExtraExtra(), driver + QChar(0) + c.printer + QChar(0) + file + QChar(0));
    EXPECT_EQ(d.PrinterExtraDriverOffset(), 8);
    EXPECT_EQ(d.PrinterExtraDeviceOffset(), c.deviceOffset);
    EXPECT_EQ(d.PrinterExtraOutputOffset(), c.outputOffset);
    EXPECT_EQ(d.PrinterExtraDefault(), c.isDefault);
    // Without PrinterDefault the program's printer keeps its own settings.
    EXPECT_EQ(CurrentPrinter::Get().colorMode(), QPrinter::Color);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrinterChoiceTest,
    testing::Values(ChoiceCase{"DefaultQueueAllPagesCollatedInGrey", First, 1, QPrinter::AllPages, QPrinter::GrayScale,
                               true, Pd::Collate, 1, 1, 46, 52},
                    ChoiceCase{"ToAFileWithSelection", QString(), 2, QPrinter::Selection, QPrinter::Color, false,
                               Pd::Selection | Pd::PrintToFile, 2, 0, 9, 10}),
    test::RowName);

// Unset values are the caller's defaults; the dialog starts on the current
// printer, with all pages, offering the selection and a file.
struct StartCase {
    const char* name;
    // the properties
    QString printerName = {};
    std::int16_t copies = 1;
    std::int32_t orientation = 1;
    std::int16_t min = 0;
    std::int16_t max = 0;
    std::int16_t fromPage = 0;
    std::int16_t toPage = 0;
    std::uint32_t flags = 0;
    std::int32_t paperBin = 0;
    // where the dialog starts
    QString printer = First;
    int startCopies = 1;
    QPageLayout::Orientation startOrientation = QPageLayout::Portrait;
    QPrinter::PaperSource startSource = QPrinter::Auto;
    bool pagesOffered = false;
    QAbstractPrintDialog::PrintRange range = QAbstractPrintDialog::AllPages;
    int from = 0;
    int to = 0;
    bool selectionOffered = true;
    bool fileOffered = true;
};

class PrinterStartTest : public PrinterTest, public testing::WithParamInterface<StartCase> {};

TEST_P(PrinterStartTest, FollowsTheProperties) {
    const StartCase& c = GetParam();
    clsComdlg d;
    d.SetPrinterName(c.printerName);
    d.SetCopies(c.copies);
    d.SetOrientation(c.orientation);
    d.SetMin(c.min);
    d.SetMax(c.max);
    d.SetFromPage(c.fromPage);
    d.SetToPage(c.toPage);
    d.SetFlags(c.flags);
    d.SetPrinterDefaultSource(c.paperBin);
    clsComdlg::AnswerNextPrintDialog([&](QPrintDialog& dialog) {
        const QPrinter& printer = *dialog.printer();
        EXPECT_EQ(printer.printerName(), c.printer);
        EXPECT_EQ(printer.copyCount(), c.startCopies);
        EXPECT_EQ(printer.pageLayout().orientation(), c.startOrientation);
        EXPECT_EQ(printer.paperSource(), c.startSource);
        EXPECT_EQ(printer.collateCopies(), (c.flags & Pd::Collate) != 0);
        EXPECT_EQ(dialog.testOption(QAbstractPrintDialog::PrintPageRange), c.pagesOffered);
        EXPECT_EQ(dialog.printRange(), c.range);
        if (c.pagesOffered) {
            EXPECT_EQ(dialog.fromPage(), c.from);
            EXPECT_EQ(dialog.toPage(), c.to);
        }
        EXPECT_EQ(dialog.testOption(QAbstractPrintDialog::PrintSelection), c.selectionOffered);
        EXPECT_EQ(dialog.testOption(QAbstractPrintDialog::PrintToFile), c.fileOffered);
        return false;
    });
    d.ShowPrinter();
}

constexpr auto PageRange = QAbstractPrintDialog::PageRange;

INSTANTIATE_TEST_SUITE_P(
    Cases, PrinterStartTest,
    testing::Values(
        StartCase{.name = "CurrentPrinterWithTheCallersSettings", .copies = 4, .orientation = 2, .min = 1, .max = 9,
                  .fromPage = 3, .toPage = 5, .flags = Pd::PageNums | Pd::Collate, .paperBin = 4, .startCopies = 4,
                  .startOrientation = QPageLayout::Landscape, .startSource = QPrinter::Manual, .pagesOffered = true,
                  .range = PageRange, .from = 3, .to = 5},
        // Equal limits leave no pages to choose from.
        StartCase{.name = "NamedQueueInAnyCaseWithoutPages", .printerName = QStringLiteral("bETA"), .min = 3, .max = 3,
                  .fromPage = 3, .toPage = 3, .flags = Pd::PageNums, .printer = Second},
        StartCase{.name = "UnknownValuesMeanTheCurrentPrinters", .printerName = QStringLiteral("Gamma"), .copies = 0,
                  .orientation = 0, .paperBin = 12},
        StartCase{.name = "RangeKeptWithinTheLimits", .min = 2, .max = 6, .fromPage = 1, .toPage = 7,
                  .flags = Pd::PageNums, .pagesOffered = true, .range = PageRange, .from = 2, .to = 6},
        StartCase{.name = "NoPagesWhenAsked", .min = 1, .max = 9, .fromPage = 1, .toPage = 9,
                  .flags = Pd::NoPageNums | Pd::PageNums},
        StartCase{.name = "SelectionChosen", .min = 3, .max = 4, .flags = Pd::Selection | Pd::HidePrintToFile,
                  .pagesOffered = true, .range = QAbstractPrintDialog::Selection, .from = 3, .to = 3,
                  .fileOffered = false},
        StartCase{.name = "SelectionRefused", .flags = Pd::Selection | Pd::NoSelection, .selectionOffered = false}),
    test::RowName);

// With ReturnDefault the caller learns what the current printer is: no
// dialog, the caller's own settings and range left aside.
TEST_F(PrinterTest, ReturnDefaultDescribesTheCurrentPrinterWithoutADialog) {
    QPrinter chosen;
    chosen.setPrinterName(Second);
    chosen.setCopyCount(3);
    CurrentPrinter::Adopt(chosen);
    clsComdlg d;
    d.SetPrinterName(First);
    d.SetCopies(7);
    d.SetOrientation(2);
    d.SetMin(1);
    d.SetMax(9);
    d.SetFromPage(2);
    d.SetToPage(4);
    d.SetFlags(Pd::ReturnDefault | Pd::PageNums);
    clsComdlg::AnswerNextPrintDialog([](QPrintDialog&) {
        ADD_FAILURE() << "a dialog was shown";
        return false;
    });
    d.ShowPrinter();
    EXPECT_TRUE(PrintDialogRun::Hook().HasNext()) << "a dialog was shown";
    clsComdlg::AnswerNextPrintDialog({});
    EXPECT_EQ(d.PrinterName(), Second);
    EXPECT_EQ(d.Copies(), 3);
    EXPECT_EQ(d.Orientation(), 1);
    EXPECT_EQ(d.Flags(), Pd::ReturnDefault | Pd::PageNums);
    EXPECT_EQ(d.FromPage(), 2);
    EXPECT_EQ(d.ToPage(), 4);
    EXPECT_EQ(d.PrinterExtraPaperSize(), A4);
    EXPECT_EQ(d.PrinterExtraExtra(), Driver + QChar(0) + Second + QChar(0) + QChar(0));
}

class NoPrinterTest : public PrinterTest {
protected:
    NoPrinterTest() : PrinterTest({}) {}
};

// Without any printer the dialog still shows, offering only output to a
// file.
TEST_F(NoPrinterTest, RealDialogOffersAFile) {
    QTemporaryDir dir;
    clsComdlg d;
    d.SetPrinterDefault(true);
    test::AnswerNextModal<QPrintDialog>([&](QPrintDialog& dialog) {
        EXPECT_EQ(Find<QComboBox>(dialog, "printers")->count(), 1);
        Find<QLineEdit>(dialog, "filename")->setText(dir.filePath(QStringLiteral("out.pdf")));
        dialog.accept();
    });
    d.ShowPrinter();
    EXPECT_EQ(d.Flags() & Pd::PrintToFile, Pd::PrintToFile);
}

}  // namespace
}  // namespace velkrant
