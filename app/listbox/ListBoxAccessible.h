#pragma once
// What assistive technology (screen readers, magnifiers, UI automation)
// learns of a list box: an editable multi-line text whose characters,
// caret and selection it can read and move, which it can edit as the user
// would, and which tells it of every change, as the toolkit's own text
// boxes do. A line break is one character to it.

#include <cstddef>
#include <string_view>

class QAccessibleInterface;
class QObject;
class QString;

namespace velkrant {

class ListBox;

namespace ListBoxAccessible {

/// The toolkit's accessibility factory for list boxes; installed once by
/// the first list box.
QAccessibleInterface* Factory(const QString& className, QObject* object);

/// Tell assistive technology, if any is listening, that `removed` at
/// `at` (an offset into the CR LF text) became `inserted`.
void TextChanged(ListBox& box, std::size_t at, std::u16string_view removed, std::u16string_view inserted);
/// Tell it where the caret is now, and the selection if it changed; call
/// once the caret has its new place.
void CaretMoved(ListBox& box);

}  // namespace ListBoxAccessible

}  // namespace velkrant
