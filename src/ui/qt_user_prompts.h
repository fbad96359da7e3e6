// The questions of the workspace asked with the program's dialogs: message boxes, the folder
// browser, the file dialogs and the overwrite question CIsFugai.
#pragma once

#include <QString>

#include "workspace/user_prompts.h"

class QWidget;

namespace kx::ui {

// A filter of the form "分析文件(*.kxc)|*.kxc||" as a Qt file-dialog filter.
QString QtFileFilter(const std::string& filter);

class QtUserPrompts : public UserPrompts {
public:
    explicit QtUserPrompts(QWidget* parent) : m_parent(parent) {}

    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    SaveAnswer AskSaveChanges(const std::string& text, const std::string& caption) override;
    std::optional<std::string> BrowseForFolder(const std::string& title) override;
    std::optional<std::string> AskOpenFile(const std::string& filter) override;
    std::optional<std::string> AskSaveFile(const std::string& initialName,
                                           const std::string& filter) override;
    OverwriteAnswer AskOverwrite(const std::string& message) override;

    // Where the folder browser starts (the last project); empty: the dialog's own choice.
    void SetFolderBrowserStart(const QString& dir) { m_folderStart = dir; }

private:
    QWidget* m_parent;
    QString m_folderStart;
};

}  // namespace kx::ui
