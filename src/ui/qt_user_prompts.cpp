#include "ui/qt_user_prompts.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>

#include "ui/is_fugai.h"
#include "widgets/message_prompt.h"

namespace kx::ui {

namespace {

std::optional<std::string> LocalPath(const QString& chosen) {
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(chosen).toStdString();
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
    // Pairs of description and pattern, separated by '|'; an empty description ends the list.
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        const QString& description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        filters << (description.contains('(') ? description : description + " (" + patterns + ")");
    }
    return filters.join(";;");
}

void QtUserPrompts::ShowMessage(const std::string& text, const std::string& caption) {
    ShowMessageBox(m_parent, QString::fromStdString(text), QString::fromStdString(caption),
                   PromptButtons::Ok);
}

bool QtUserPrompts::AskYesNo(const std::string& text, const std::string& caption) {
    return ShowMessageBox(m_parent, QString::fromStdString(text), QString::fromStdString(caption),
                          PromptButtons::YesNo) == PromptAnswer::Yes;
}

std::optional<std::string> QtUserPrompts::BrowseForFolder(const std::string& title) {
    return LocalPath(
        QFileDialog::getExistingDirectory(m_parent, QString::fromStdString(title), m_folderStart));
}

std::optional<std::string> QtUserPrompts::AskOpenFile(const std::string& filter) {
    return LocalPath(
        QFileDialog::getOpenFileName(m_parent, QString(), QString(), QtFileFilter(filter)));
}

std::optional<std::string> QtUserPrompts::AskSaveFile(const std::string& initialName,
                                                      const std::string& filter) {
    // No default suffix: a name typed without one is used as typed.
    return LocalPath(QFileDialog::getSaveFileName(
        m_parent, QString(), QFile::decodeName(initialName.c_str()), QtFileFilter(filter)));
}

OverwriteAnswer QtUserPrompts::AskOverwrite(const std::string& message) {
    CIsFugai dialog(m_parent);
    dialog.SetMessage(QString::fromStdString(message));
    dialog.exec();
    return dialog.Answer();
}

}  // namespace kx::ui
