#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace velkrant {

namespace {

// A toolkit linked into the program has no folder of its own on the
// user's machine, so its translations come inside the program (see
// app/CMakeLists.txt); a shared toolkit keeps them in its folder.
QString TranslationsFolder() {
    const QString embedded = QStringLiteral(":/qt/translations");
    return QDir(embedded).exists() ? embedded : QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

}  // namespace

ToolkitTranslation::ToolkitTranslation(const QLocale& locale)
    : loaded_(translator_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), TranslationsFolder()) &&
              QCoreApplication::installTranslator(&translator_)) {}

ToolkitTranslation::~ToolkitTranslation() {
    if (loaded_) QCoreApplication::removeTranslator(&translator_);
}

}  // namespace velkrant
