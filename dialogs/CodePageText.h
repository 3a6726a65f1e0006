#pragma once
// Lengths as the code page counts them: callers cut and index texts in
// their code-page form, where a character may take two bytes.

#include "CodePage.h"

#include <QString>

#include <cstddef>

namespace velkrant {

/// The number of bytes `text` takes in the code page.
///
///     CodePageLength(u"目录/a") == 6
inline std::size_t CodePageLength(const QString& text) {
    return CodePage::TextToBytes(text.toStdU16String()).size();
}

}  // namespace velkrant
