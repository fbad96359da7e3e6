// Every message box of the window goes through one replaceable function, so tests can answer
// them without a modal loop.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kx::ui {

enum class PromptButtons { Ok, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };

using PromptHandler = std::function<PromptAnswer(QWidget* parent, const QString& text,
                                                 const QString& caption, PromptButtons buttons)>;

// The ordinary modal QMessageBox.
PromptAnswer ShowMessageBox(QWidget* parent, const QString& text, const QString& caption,
                            PromptButtons buttons);

}  // namespace kx::ui
