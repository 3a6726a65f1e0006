#pragma once
// The file-dialog flag bits that clsComdlg::Flags carries. Callers store
// and pass whole flag numbers (the batch window uses 0x49004 and
// 0x208006), so each bit's value is fixed.
//
// How each bit maps onto the toolkit's file dialog:
// - OverwritePrompt: honoured; without it a save never asks before
//   replacing a file.
// - FileMustExist: honoured; an open dialog accepts only existing files.
// - NoDereferenceLinks: honoured; a chosen link is returned, not its target.
// - ForceShowHidden: honoured; hidden files are listed.
// - HideReadOnly: always in effect; the dialog has no read-only box.
// - NoChangeDir: honoured; without it a chosen file's folder becomes the
//   current directory, where the error log is written from then on.
// - EnableSizing: always in effect; the dialog is always resizable.
// - PathMustExist: not checked by the dialog (FileMustExist is); a name
//   typed into a missing folder fails when the file is read or written.
// - AllowMultiSelect: ignored; one file is chosen at a time.
// - Every other bit (hooks, templates, help button, share-aware, long or
//   short names, no-read-only-return, create prompt, no network button,
//   explorer style, no test file create, recent documents) asks for
//   something the toolkit's dialog has no counterpart for; it is kept in
//   Flags and has no effect.

#include <cstdint>

namespace velkrant::Ofn {

inline constexpr std::uint32_t ReadOnly = 0x1;
inline constexpr std::uint32_t OverwritePrompt = 0x2;
inline constexpr std::uint32_t HideReadOnly = 0x4;
inline constexpr std::uint32_t NoChangeDir = 0x8;
inline constexpr std::uint32_t AllowMultiSelect = 0x200;
inline constexpr std::uint32_t PathMustExist = 0x800;
inline constexpr std::uint32_t FileMustExist = 0x1000;
inline constexpr std::uint32_t NoReadOnlyReturn = 0x8000;
inline constexpr std::uint32_t NoLongNames = 0x40000;
inline constexpr std::uint32_t Explorer = 0x80000;
inline constexpr std::uint32_t NoDereferenceLinks = 0x100000;
inline constexpr std::uint32_t LongNames = 0x200000;
inline constexpr std::uint32_t EnableSizing = 0x800000;
inline constexpr std::uint32_t ForceShowHidden = 0x10000000;

}  // namespace velkrant::Ofn
