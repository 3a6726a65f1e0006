#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace velkrant {

ToolkitTranslation::ToolkitTranslation(const QLocale& locale)
    : loaded_(translator_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
              QCoreApplication::installTranslator(&translator_)) {}

ToolkitTranslation::~ToolkitTranslation() {
    if (loaded_) QCoreApplication::removeTranslator(&translator_);
}

}  // namespace velkrant
