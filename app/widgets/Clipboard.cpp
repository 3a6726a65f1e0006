#include "Clipboard.h"

#include "Scan.h"

#include <QGuiApplication>
#include <QMimeData>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace velkrant::Clipboard {

namespace {

const QString kPlainText = QStringLiteral("text/plain");

// `text` with its line breaks as the platform's other programs expect.
QString HandedOutText(const QString& text) {
#ifdef Q_OS_WIN
    return text;
#else
    // One pass, block by block between the CRs: replacing a million CR LFs
    // in place moves the rest of the text each time and takes seconds.
    const char16_t* in = reinterpret_cast<const char16_t*>(text.utf16());
    const auto size = static_cast<std::size_t>(text.size());
    QString result(text.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    char16_t* const begin = out;
    std::size_t from = 0;
    while (from < size) {
        const std::size_t cr = FindPosition(from, size, [in](std::size_t i) { return in[i] == u'\r'; });
        out = std::copy(in + from, in + cr, out);
        if (cr == size) break;
        // A CR LF becomes an LF; a lone CR stays.
        const bool crLf = cr + 1 < size && in[cr + 1] == u'\n';
        *out++ = crLf ? u'\n' : u'\r';
        from = cr + (crLf ? 2 : 1);
    }
    result.truncate(out - begin);
    return result;
#endif
}

// Plain text rendered only when asked for: by a paste, by another program
// through the window system, or by a clipboard manager.
class TextOnRequest : public QMimeData {
public:
    explicit TextOnRequest(QString text) : text_(std::move(text)) {}

    QStringList formats() const override { return {kPlainText}; }
    bool hasFormat(const QString& mimeType) const override { return mimeType == kPlainText; }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType) const override {
        if (mimeType != kPlainText) return {};
        return HandedOutText(text_);
    }

private:
    QString text_;
};

}  // namespace

void SetText(QString text, QClipboard::Mode mode) {
    QGuiApplication::clipboard()->setMimeData(new TextOnRequest(std::move(text)), mode);
}

}  // namespace velkrant::Clipboard
