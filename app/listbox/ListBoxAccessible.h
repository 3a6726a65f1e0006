#pragma once
// What assistive technology (screen readers, magnifiers, UI automation)
// learns of a list box: an editable multi-line text whose characters,
// caret and selection it can read and move, and which tells it of every
// change, as the toolkit's own text boxes do.

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
/// `at` became `inserted`, and where the caret and selection are now.
void TextChanged(ListBox& box, std::size_t at, std::u16string_view removed, std::u16string_view inserted);
void CaretMoved(ListBox& box);

}  // namespace ListBoxAccessible

}  // namespace velkrant
