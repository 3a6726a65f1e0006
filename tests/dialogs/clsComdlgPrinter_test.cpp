// The printer dialog against a real print system: a private CUPS server
// with two queues (see PrivateCups.h).

#include "clsComdlg.h"

#include "CurrentPrinter.h"
#include "ModalAnswer.h"
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

template <class Control>
Control* Child(const QWidget& parent, const char* name) {
    auto* control = parent.findChild<Control*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << "no " << name;
    return control;
}

QStringList Listed(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
    return items;
}

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
// the printer's properties to turn the page.
TEST_F(PrinterTest, RealDialogListsBothQueuesAndReturnsTheChoice) {
    clsComdlg d;
    d.SetMin(1);
    d.SetMax(10);
    d.SetPrinterDefault(true);
    QStringList listed;
    test::AnswerNextModal<QPrintDialog>([&](QPrintDialog& dialog) {
        auto* printers = Child<QComboBox>(dialog, "printers");
        listed = Listed(*printers);
        printers->setCurrentIndex(printers->findText(Second));
        Child<QSpinBox>(dialog, "copies")->setValue(3);
        Child<QRadioButton>(dialog, "printRange")->click();
        Child<QSpinBox>(dialog, "from")->setValue(2);
        Child<QSpinBox>(dialog, "to")->setValue(4);
        test::AnswerNextModal<QDialog>([](QDialog& properties) {
            Child<QRadioButton>(properties, "landscape")->click();
            properties.accept();
        });
        Child<QPushButton>(dialog, "properties")->click();
        dialog.accept();
    });
    d.ShowPrinter();
    EXPECT_TRUE(listed.contains(First) && listed.contains(Second)) << listed.join(u',').toStdString();
    EXPECT_EQ(d.PrinterName(), Second);
    EXPECT_EQ(d.Copies(), 3);
    EXPECT_EQ(d.FromPage(), 2);
    EXPECT_EQ(d.ToPage(), 4);
    EXPECT_EQ(d.Orientation(), 2);
    EXPECT_EQ(d.Flags() & Pd::PageNums, Pd::PageNums);
    EXPECT_EQ(CurrentPrinter::Get().printerName(), Second);
}

struct ChoiceCase {
    const char* name;
    // what the user chooses
    QString printer;  // empty: output to a file
    int copies;
    QPageLayout::Orientation orientation;
    QPrinter::PrintRange range;
    QPrinter::ColorMode colorMode;
    bool collate;
    // what the properties say
    std::uint32_t flags;
    std::int16_t fromPage;
    std::int16_t toPage;
    std::int32_t orientationNumber;
    std::int16_t color;
    std::int16_t isDefault;
    std::int16_t deviceOffset;
    std::int16_t outputOffset;
};

class PrinterChoiceTest : public PrinterTest, public testing::WithParamInterface<ChoiceCase> {};

TEST_P(PrinterChoiceTest, ComesBackThroughTheProperties) {
    const ChoiceCase& c = GetParam();
    QTemporaryDir dir;
    const QString file = c.printer.isEmpty() ? dir.filePath(QStringLiteral("out.pdf")) : QString();
    clsComdlg d;
    d.SetMin(1);
    d.SetMax(10);
    d.SetFromPage(1);
    d.SetToPage(10);
    d.SethDC(7);
    clsComdlg::AnswerNextPrintDialog([&](QPrintDialog& dialog) {
        QPrinter& printer = *dialog.printer();
        printer.setPrinterName(c.printer);
        printer.setOutputFileName(file);
        printer.setCopyCount(c.copies);
        printer.setPageOrientation(c.orientation);
        printer.setPrintRange(c.range);
        if (c.range == QPrinter::PageRange) printer.setFromTo(3, 5);
        printer.setColorMode(c.colorMode);
        printer.setCollateCopies(c.collate);
        return true;
    });
    d.ShowPrinter();
    EXPECT_EQ(d.PrinterName(), c.printer);
    EXPECT_EQ(d.Copies(), c.copies);
    EXPECT_EQ(d.Flags(), c.flags);
    EXPECT_EQ(d.FromPage(), c.fromPage);
    EXPECT_EQ(d.ToPage(), c.toPage);
    EXPECT_EQ(d.Orientation(), c.orientationNumber);
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
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrinterChoiceTest,
    testing::Values(
        ChoiceCase{"SecondQueueLandscapeSomePages", Second, 3, QPageLayout::Landscape, QPrinter::PageRange,
                   QPrinter::GrayScale, false, Pd::PageNums, 3, 5, 2, 1, 0, 46, 51},
        // Pages not chosen: the range offered comes back.
        ChoiceCase{"DefaultQueueAllPagesCollated", First, 1, QPageLayout::Portrait, QPrinter::AllPages,
                   QPrinter::Color, true, Pd::Collate, 1, 10, 1, 2, 1, 46, 52},
        ChoiceCase{"ToAFileWithSelection", QString(), 2, QPageLayout::Portrait, QPrinter::Selection, QPrinter::Color,
                   false, Pd::Selection | Pd::PrintToFile, 1, 10, 1, 2, 0, 9, 10}),
    test::RowName);

struct DefaultCase {
    const char* name;
    bool printerDefault;
    QString current;  // the current printer afterwards
    QPrinter::ColorMode nextColorMode;  // where the next dialog starts
};

class PrinterDefaultTest : public PrinterTest, public testing::WithParamInterface<DefaultCase> {};

TEST_P(PrinterDefaultTest, DecidesWhetherTheChoiceBecomesTheCurrentPrinter) {
    const DefaultCase& c = GetParam();
    clsComdlg d;
    d.SetPrinterDefault(c.printerDefault);
    clsComdlg::AnswerNextPrintDialog([](QPrintDialog& dialog) {
        dialog.printer()->setPrinterName(Second);
        dialog.printer()->setColorMode(QPrinter::GrayScale);
        return true;
    });
    d.ShowPrinter();
    EXPECT_EQ(CurrentPrinter::Get().printerName(), c.current);
    QString startedOn;
    QPrinter::ColorMode startedWith = QPrinter::Color;
    clsComdlg::AnswerNextPrintDialog([&](QPrintDialog& dialog) {
        startedOn = dialog.printer()->printerName();
        startedWith = dialog.printer()->colorMode();
        return false;
    });
    clsComdlg().ShowPrinter();
    EXPECT_EQ(startedOn, c.current);
    EXPECT_EQ(startedWith, c.nextColorMode);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrinterDefaultTest,
                         testing::Values(DefaultCase{"Set", true, Second, QPrinter::GrayScale},
                                         DefaultCase{"NotSet", false, First, QPrinter::Color}),
                         test::RowName);

struct StartCase {
    const char* name;
    // the properties
    QString printerName;
    std::int16_t copies;
    std::int32_t orientation;
    std::int16_t min;
    std::int16_t max;
    std::int16_t fromPage;
    std::int16_t toPage;
    std::uint32_t flags;
    std::int32_t paperBin;
    // where the dialog starts
    QString printer;
    int startCopies;
    QPageLayout::Orientation startOrientation;
    QPrinter::PaperSource startSource;
    bool pagesOffered;
    QAbstractPrintDialog::PrintRange range;
    int from;
    int to;
    bool selectionOffered;
    bool fileOffered;
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

INSTANTIATE_TEST_SUITE_P(
    Cases, PrinterStartTest,
    testing::Values(
        StartCase{"CurrentPrinterWithTheCallersSettings", {}, 4, 2, 1, 9, 3, 5, Pd::PageNums | Pd::Collate, 4, First,
                  4, QPageLayout::Landscape, QPrinter::Manual, true, QAbstractPrintDialog::PageRange, 3, 5, true, true},
        // Equal limits leave no pages to choose from.
        StartCase{"NamedQueueInAnyCaseWithoutPages", QStringLiteral("bETA"), 1, 1, 3, 3, 3, 3, Pd::PageNums, 0, Second, 1,
                  QPageLayout::Portrait, QPrinter::Auto, false, QAbstractPrintDialog::AllPages, 0, 0, true, true},
        StartCase{"UnknownValuesMeanTheCurrentPrinters", QStringLiteral("Gamma"), 0, 0, 0, 0, 0, 0, 0, 12, First, 1,
                  QPageLayout::Portrait, QPrinter::Auto, false, QAbstractPrintDialog::AllPages, 0, 0, true, true},
        StartCase{"RangeKeptWithinTheLimits", {}, 1, 1, 2, 6, 1, 7, Pd::PageNums, 0, First, 1, QPageLayout::Portrait,
                  QPrinter::Auto, true, QAbstractPrintDialog::PageRange, 2, 6, true, true},
        StartCase{"NoPagesWhenAsked", {}, 1, 1, 1, 9, 1, 9, Pd::NoPageNums | Pd::PageNums, 0, First, 1,
                  QPageLayout::Portrait, QPrinter::Auto, false, QAbstractPrintDialog::AllPages, 0, 0, true, true},
        StartCase{"SelectionChosen", {}, 1, 1, 3, 4, 0, 0, Pd::Selection | Pd::HidePrintToFile, 0, First, 1,
                  QPageLayout::Portrait, QPrinter::Auto, true, QAbstractPrintDialog::Selection, 3, 3, true, false},
        StartCase{"SelectionRefused", {}, 1, 1, 0, 0, 0, 0, Pd::Selection | Pd::NoSelection, 0, First, 1,
                  QPageLayout::Portrait, QPrinter::Auto, false, QAbstractPrintDialog::AllPages, 0, 0, false, true}),
    test::RowName);

class NoPrinterTest : public PrinterTest {
protected:
    NoPrinterTest() : PrinterTest({}) {}
};

// Without any printer the dialog still shows, offering output to a file.
TEST_F(NoPrinterTest, RealDialogOffersAFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("out.pdf"));
    clsComdlg d;
    d.SetPrinterDefault(true);
    QStringList listed;
    test::AnswerNextModal<QPrintDialog>([&](QPrintDialog& dialog) {
        listed = Listed(*Child<QComboBox>(dialog, "printers"));
        Child<QLineEdit>(dialog, "filename")->setText(file);
        dialog.accept();
    });
    d.ShowPrinter();
    EXPECT_EQ(listed.size(), 1) << listed.join(u',').toStdString();
    EXPECT_EQ(d.PrinterName(), QString());
    EXPECT_EQ(d.Flags() & Pd::PrintToFile, Pd::PrintToFile);
    EXPECT_TRUE(d.PrinterExtraExtra().contains(file));
}

}  // namespace
}  // namespace velkrant
