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

SaveAnswer QtUserPrompts::AskSaveChanges(const std::string& text, const std::string& caption) {
    switch (ShowMessageBox(m_parent, QString::fromStdString(text), QString::fromStdString(caption),
                           PromptButtons::YesNoCancel)) {
        case PromptAnswer::Yes:
            return SaveAnswer::Save;
        case PromptAnswer::No:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
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
    QFileDialog dialog(m_parent, QString(), QFile::decodeName(initialName.c_str()),
                       QtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without a suffix takes the filter's ("*.kxc"), before the dialog asks
    // whether to replace a file of that name.
    const QStringList parts = QString::fromStdString(filter).split('|');
    if (parts.size() > 1 && parts[1].startsWith("*.") && !parts[1].contains(';')) {
        dialog.setDefaultSuffix(parts[1].mid(2));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return LocalPath(dialog.selectedFiles().constFirst());
}

OverwriteAnswer QtUserPrompts::AskOverwrite(const std::string& message) {
    CIsFugai dialog(m_parent);
    dialog.SetMessage(QString::fromStdString(message));
    dialog.exec();
    return dialog.Answer();
}

}  // namespace kx::ui
