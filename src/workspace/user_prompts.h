// Everything the workspace asks of the user. The desktop program answers with its dialogs;
// tests and kxtool answer from a script. Texts are UTF-8.
#pragma once

#include <optional>
#include <string>

#include "res/app_title.h"

namespace kx {

inline constexpr const char* kQuestionCaption = "提示";

// The answers of the overwrite question (CIsFugai), plus the dialog closed without one of
// its four buttons (Esc or the close box).
enum class OverwriteAnswer {
    Yes = 0,       // "是"
    No = 1,        // "否"
    YesToAll = 2,  // "全部覆盖"
    NoToAll = 3,   // "全部不覆盖"
    Closed = 4,
};

// The answers of the save prompt "是否保存修改过的数据？".
enum class SaveAnswer {
    Save,     // "是"
    Discard,  // "否": the changes are undone
    Cancel,   // "取消", Esc or the close box: stay, nothing saved and nothing undone
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A message box with an OK button.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // The folder browser; nothing when cancelled or no file-system path results.
    virtual std::optional<std::string> BrowseForFolder(const std::string& title) = 0;
    // File dialogs. Filters are in the form "分析文件(*.kxc)|*.kxc||". Nothing when cancelled.
    virtual std::optional<std::string> AskOpenFile(const std::string& filter) = 0;
    virtual std::optional<std::string> AskSaveFile(const std::string& initialName,
                                                   const std::string& filter) = 0;
    // The save prompt with 是, 否 and 取消. Those who answer Yes or No only (scripts) are asked
    // AskYesNo.
    virtual SaveAnswer AskSaveChanges(const std::string& text, const std::string& caption) {
        return AskYesNo(text, caption) ? SaveAnswer::Save : SaveAnswer::Discard;
    }
    // The overwrite question "文件%s已经存在是否覆盖" with its four buttons.
    virtual OverwriteAnswer AskOverwrite(const std::string& message) = 0;

    // A message box captioned with the application title.
    void Tell(const std::string& text) { ShowMessage(text, kAppTitle); }
};

}  // namespace kx
