// What a screen reader's questions cost on a list box of a million Thunder
// links, with the caret near the end of the list: each row is one query as
// the accessibility bridge asks it, in microseconds. A reader asks for the
// character, word and line on every caret move, so each must stay far
// below what a user notices (a few milliseconds) however long the list.

#include "ListBox.h"
#include "modMain.h"

#include <QAccessible>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using namespace velkrant;

constexpr int kLines = 1'000'000;

struct ReadBox {
    ListBox box;
    QAccessibleInterface* accessible = nullptr;
    int caret = 0;  // a screen reader's offset, on the list's last lines

    ReadBox() {
        std::u16string list;
        for (int i = 0; i < kLines; ++i) {
            if (i > 0) list += u"\r\n";
            list += modMain::ThunderEncode(u"http://dl.example-mirror.net/pub/releases/2024/package-" +
                                           QString::number(i).toStdU16String() + u"-x86_64-full.zip");
        }
        box.resize(800, 400);
        box.SetText(std::move(list));
        accessible = QAccessible::queryAccessibleInterface(&box);
        box.Select(box.Text().size() - 30, box.Text().size() - 30);
        caret = accessible->textInterface()->cursorPosition();
    }
};

// Made on first use, once the application is up, and kept until the end:
// a widget must not outlive the application.
ReadBox& Box() {
    static auto* box = new ReadBox;
    return *box;
}

using Query = std::function<void(QAccessibleTextInterface&, int caret)>;

void AccessibleQuery(benchmark::State& state, const Query& query) {
    ReadBox& read = Box();
    QAccessibleTextInterface& text = *read.accessible->textInterface();
    for (auto _ : state) query(text, read.caret);
}

void At(QAccessibleTextInterface& text, int caret, QAccessible::TextBoundaryType boundary) {
    int start = 0;
    int end = 0;
    benchmark::DoNotOptimize(text.textAtOffset(caret, boundary, &start, &end));
}

void Before(QAccessibleTextInterface& text, int caret, QAccessible::TextBoundaryType boundary) {
    int start = 0;
    int end = 0;
    benchmark::DoNotOptimize(text.textBeforeOffset(caret, boundary, &start, &end));
}

void After(QAccessibleTextInterface& text, int caret, QAccessible::TextBoundaryType boundary) {
    int start = 0;
    int end = 0;
    benchmark::DoNotOptimize(text.textAfterOffset(caret, boundary, &start, &end));
}

struct Row {
    const char* name;
    Query query;
};

const Row kRows[] = {
    {"CharacterAtCaret", [](auto& text, int caret) { At(text, caret, QAccessible::CharBoundary); }},
    {"WordAtCaret", [](auto& text, int caret) { At(text, caret, QAccessible::WordBoundary); }},
    {"LineAtCaret", [](auto& text, int caret) { At(text, caret, QAccessible::LineBoundary); }},
    {"LineBeforeCaret", [](auto& text, int caret) { Before(text, caret, QAccessible::LineBoundary); }},
    {"WordAfterCaret", [](auto& text, int caret) { After(text, caret, QAccessible::WordBoundary); }},
    {"TextBeforeCaret", [](auto& text, int caret) { benchmark::DoNotOptimize(text.text(caret - 200, caret)); }},
    {"CharacterCount", [](auto& text, int) { benchmark::DoNotOptimize(text.characterCount()); }},
    {"Caret", [](auto& text, int) { benchmark::DoNotOptimize(text.cursorPosition()); }},
    {"Selection",
     [](auto& text, int) {
         int start = 0;
         int end = 0;
         text.selection(0, &start, &end);
         benchmark::DoNotOptimize(end);
     }},
    {"CharacterExtents", [](auto& text, int caret) { benchmark::DoNotOptimize(text.characterRect(caret)); }},
    {"OffsetAtPoint",
     [](auto& text, int caret) { benchmark::DoNotOptimize(text.offsetAtPoint(text.characterRect(caret).center())); }},
};

const bool registered = [] {
    for (const Row& row : kRows) {
        benchmark::RegisterBenchmark((std::string("AccessibleQueryOn1MLines/") + row.name).c_str(), AccessibleQuery,
                                     row.query)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

}  // namespace
