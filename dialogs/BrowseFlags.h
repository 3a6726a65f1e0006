#pragma once
// The folder-browsing flag bits that clsComdlg::Flags carries for
// ShowBrowseForFolder.
//
// How each bit maps onto the toolkit's folder dialog:
// - NewDialogStyle: honoured; the dialog lets the user create folders,
//   unless NoNewFolderButton is set too. Without it, or with that bit,
//   the folder tree cannot be changed from the dialog.
// - BrowseIncludeFiles: honoured; files are listed beside the folders
//   (a folder is still what comes back).
// - ReturnOnlyFileSystemDirs: always in effect; every choice is a folder
//   of the file system.
// - Every other bit (status text, edit box, validation, network and
//   printer browsing, shareable items, links kept untranslated) asks for
//   something the toolkit's dialog has no counterpart for; it is kept in
//   Flags and has no effect.

#include <cstdint>

namespace velkrant::Bif {

inline constexpr std::uint32_t ReturnOnlyFileSystemDirs = 0x1;
inline constexpr std::uint32_t NewDialogStyle = 0x40;
inline constexpr std::uint32_t NoNewFolderButton = 0x200;
inline constexpr std::uint32_t BrowseIncludeFiles = 0x4000;

}  // namespace velkrant::Bif
