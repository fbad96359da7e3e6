// The folder img beside the program holds the Word report's figures; it is emptied when the
// program ends.
#pragma once

#include <filesystem>

namespace kx::ui {

// Deletes every entry of `folder` that is not a directory (files and links; a link is removed
// itself, never what it points to). Sub-folders and anything that cannot be deleted stay,
// silently; a missing folder means no work.
void EmptyFolderFiles(const std::filesystem::path& folder);

}  // namespace kx::ui
