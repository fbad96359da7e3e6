// What `kx7300 PATH` opens: a project directory as 打开工程 would; an analysis file's
// directory with that pile selected; a raw file's directory after offering to import it, with
// the pile's analysis file selected. Anything else is named in a message and nothing opens.
#pragma once

#include <QString>

namespace kx::ui {

class CProjectController;

// Asks and tells through `project`'s prompts. A raw file's import question answered "否"
// opens the directory as it is (its analysis files from an earlier import), so the pile is
// still selected when it was imported before.
void OpenGivenPath(CProjectController& project, const QString& path);

}  // namespace kx::ui
