#pragma once
// The toolkit's own texts (the buttons of a message box, the file dialog)
// in the user's language, as the system's own dialogs would speak it. The
// program's texts are its own and stay as they are.

#include <QLocale>
#include <QTranslator>

namespace velkrant {

class ToolkitTranslation {
public:
    /// Installs the toolkit's translation for `locale` while the object
    /// lives; where none exists (English, or the package is missing) the
    /// toolkit keeps its English texts. Needs a QCoreApplication.
    ///
    ///     const ToolkitTranslation translation(QLocale::system());
    explicit ToolkitTranslation(const QLocale& locale);
    ~ToolkitTranslation();
    ToolkitTranslation(const ToolkitTranslation&) = delete;
    ToolkitTranslation& operator=(const ToolkitTranslation&) = delete;

    bool Loaded() const { return loaded_; }

private:
    QTranslator translator_;
    bool loaded_;
};

}  // namespace velkrant
