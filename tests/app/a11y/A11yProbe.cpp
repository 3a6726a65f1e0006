// The windows a screen reader reads in the accessibility test: the main
// window with the batch window open, and a window with a list box beside
// the toolkit's stock plain text box, its oracle, at the same size and font
// and without wrapping. The test drives it through standard input, one
// command a line, and reads "ok" (or "error: ...") back for each:
//
//   set TARGET TEXT     replace the whole text ("\n" in TEXT is a line break)
//   focus TARGET        give TARGET the keyboard focus
//   key TARGET KEYS     press one key combination ("Return", "Ctrl+Z")
//   type TARGET TEXT    type TEXT a character at a time
//
// TARGET is a control's object name; "listBox" and "stockBox" are the pair.
// The keys go through the application's event delivery, as the keyboard's do.

#include "ListBox.h"
#include "frmBatch.h"
#include "frmMain.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QSocketNotifier>
#include <QTest>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

using namespace velkrant;

void Reply(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QWidget* Target(const QString& name) {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->objectName() == name) return widget;
    }
    return nullptr;
}

QString Run(const QString& line) {
    const QString command = line.section(u' ', 0, 0);
    QWidget* target = Target(line.section(u' ', 1, 1));
    const QString argument = line.section(u' ', 2).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    if (target == nullptr) return QStringLiteral("error: no such control in \"%1\"").arg(line);
    if (command == u"set") {
        if (auto* box = dynamic_cast<ListBox*>(target)) box->SetText(argument.toStdU16String());
        if (auto* stock = qobject_cast<QPlainTextEdit*>(target)) stock->setPlainText(argument);
    } else if (command == u"focus") {
        target->activateWindow();
        target->setFocus(Qt::OtherFocusReason);
    } else if (command == u"key") {
        const QKeyCombination keys = QKeySequence::fromString(argument)[0];
        if (keys.key() == Qt::Key_unknown) return QStringLiteral("error: no such key in \"%1\"").arg(line);
        QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
    } else if (command == u"type") {
        // One key a character, carrying it as its text, as an input method's
        // commit of a single character does for what no key is labelled with.
        for (const QChar character : argument) {
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(character), Qt::NoModifier);
        }
    } else {
        return QStringLiteral("error: no such command in \"%1\"").arg(line);
    }
    return QStringLiteral("ok");
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    frmMain main;
    main.show();
    main.Batch().show();

    QWidget pair;
    pair.setWindowTitle(QStringLiteral("pair"));
    auto* layout = new QHBoxLayout(&pair);
    auto* listBox = new ListBox(&pair);
    auto* stockBox = new QPlainTextEdit(&pair);
    stockBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    stockBox->setFont(listBox->font());
    for (QWidget* box : {static_cast<QWidget*>(listBox), static_cast<QWidget*>(stockBox)}) {
        layout->addWidget(box);
        box->setFixedSize(300, 200);
    }
    listBox->setObjectName(QStringLiteral("listBox"));
    listBox->setAccessibleName(QStringLiteral("listBox"));
    stockBox->setObjectName(QStringLiteral("stockBox"));
    stockBox->setAccessibleName(QStringLiteral("stockBox"));
    pair.show();

    QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&commands, &QSocketNotifier::activated, [&] {
        char chunk[4096];
        const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            QApplication::quit();
            return;
        }
        pending.append(chunk, static_cast<std::size_t>(got));
        for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            Reply(Run(QString::fromUtf8(pending.data(), static_cast<qsizetype>(end))));
            pending.erase(0, end + 1);
        }
    });
    Reply(QStringLiteral("ready"));
    return QApplication::exec();
}
