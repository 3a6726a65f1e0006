// What every operation of the dialog class shares: Action reaching it,
// the owner, and the cancel.

#include "clsComdlg.h"

#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "ScriptedFileDialog.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace velkrant {
namespace {

using test::PrintTo;

using Operation = std::function<void(clsComdlg&)>;

const Operation Color = [](clsComdlg& d) { d.ShowColor(); };
const Operation Font = [](clsComdlg& d) { d.ShowFont(); };
const Operation Printer = [](clsComdlg& d) { d.ShowPrinter(); };
const Operation Folder = [](clsComdlg& d) { d.ShowBrowseForFolder(); };
const Operation Help = [](clsComdlg& d) { d.ShowHelp(); };

class OperationsTest : public testing::Test {
protected:
    QTemporaryDir dir_;
    test::DialogHooks hooks_;
};

struct ActionCase {
    const char* name;
    std::int16_t value;
    int error;
    std::int16_t stored;
    QStringList asked;
};

class ActionTest : public OperationsTest, public testing::WithParamInterface<ActionCase> {};

TEST_P(ActionTest, ShowsTheNamedDialogOrRefuses) {
    const ActionCase& c = GetParam();
    const QString helpFile = dir_.filePath(QStringLiteral("help.html"));
    ASSERT_TRUE(QFile(helpFile).open(QIODevice::WriteOnly));
    clsComdlg d;
    d.SetHelpFile(helpFile);
    test::CancelEveryDialog user;
    EXPECT_ERROR_NUMBER(d.SetAction(c.value), c.error);
    EXPECT_EQ(d.Action(), c.stored);
    EXPECT_EQ(user.Asked(), c.asked);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ActionTest,
    testing::Values(ActionCase{"ZeroShowsNothing", 0, 0, 0, {}},
                    ActionCase{"OneOpens", 1, 0, 1, {QStringLiteral("open")}},
                    ActionCase{"TwoSaves", 2, 0, 2, {QStringLiteral("save")}},
                    ActionCase{"ThreeChoosesAColour", 3, 0, 3, {QStringLiteral("colour")}},
                    ActionCase{"FourChoosesAFont", 4, 0, 4, {QStringLiteral("font")}},
                    ActionCase{"FiveChoosesAPrinter", 5, 0, 5, {QStringLiteral("printer")}},
                    ActionCase{"SixOpensHelp", 6, 0, 6, {QStringLiteral("help")}},
                    ActionCase{"SevenIsInvalid", 7, 380, 0, {}},
                    ActionCase{"NegativeIsInvalid", -1, 380, 0, {}}),
    test::RowName);

struct CancelCase {
    const char* name;
    Operation operation;
    bool cancelError;
    int error;
    const char16_t* folderPath;
    bool hasWindow;  // help has none to own
};

class EveryOperationTest : public OperationsTest, public testing::WithParamInterface<CancelCase> {};

// Everything a dialog could set, as the caller left it.
auto Settable(const clsComdlg& d) {
    return std::tuple(d.Color(), d.Flags(), d.FontName(), d.FontSize(), d.FontBold(), d.FontCharSet(), d.hDC(),
                      d.Copies(), d.FromPage(), d.ToPage(), d.Orientation(), d.PrinterName(),
                      d.PrinterDefaultSource(), d.PrinterExtraFields());
}

TEST_P(EveryOperationTest, IsOwnedByTheMainWindowAndCancelChangesNothingButTheFolder) {
    const CancelCase& c = GetParam();
    QWidget mainWindow;
    hooks_.SetMainWindow(&mainWindow);
    clsComdlg d;
    d.SetCancelError(c.cancelError);
    d.SetColor(0x123456);
    d.SetFontName(QStringLiteral("kept"));
    d.SetCopies(5);
    d.SetPrinterName(QStringLiteral("kept"));
    d.SetFolderPath(QStringLiteral("kept"));
    d.SetHelpFile(dir_.filePath(QStringLiteral("missing.html")));
    const auto before = Settable(d);
    test::CancelEveryDialog user;
    const std::optional<NumberedError> error = test::ErrorRaisedBy([&] { c.operation(d); });
    EXPECT_EQ(error ? error->Number() : 0, c.error);
    EXPECT_EQ(error ? error->Source() : u"", c.error == 0 ? u"" : u"Velkrant.clsComdlg");
    EXPECT_TRUE(Settable(d) == before);
    EXPECT_EQ(d.FolderPath(), QString::fromUtf16(c.folderPath));
    EXPECT_EQ(d.OwnerHwnd(), clsComdlg::HandleOf(&mainWindow));
    EXPECT_EQ(user.parents, c.hasWindow ? std::vector<QWidget*>{&mainWindow} : std::vector<QWidget*>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EveryOperationTest,
    testing::Values(CancelCase{"ColourQuietly", Color, false, 0, u"kept", true},
                    CancelCase{"ColourWithCancelError", Color, true, 32755, u"kept", true},
                    CancelCase{"FontQuietly", Font, false, 0, u"kept", true},
                    CancelCase{"FontWithCancelError", Font, true, 32755, u"kept", true},
                    CancelCase{"PrinterQuietly", Printer, false, 0, u"kept", true},
                    CancelCase{"PrinterWithCancelError", Printer, true, 32755, u"kept", true},
                    // The folder is the exception: a quiet cancel empties it.
                    CancelCase{"FolderQuietlyEmptiesThePath", Folder, false, 0, u"", true},
                    CancelCase{"FolderWithCancelError", Folder, true, 32755, u"kept", true},
                    // Help has no cancel: nothing to open is no failure.
                    CancelCase{"HelpNeverRaises", Help, true, 0, u"kept", false}),
    test::RowName);

}  // namespace
}  // namespace velkrant
