// The print dialog (打印列表): the print list in a list box, and the print settings on three
// pages. "打印设置" opens it in settings mode (button "确定"),
// "输出到WORD" in Word mode (button "生成WORD"). Closed through that button it copies its
// controls into the print settings and reports itself confirmed (exec() gives Accepted);
// closed any other way it leaves the settings as they were.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "print/print_info_file.h"
#include "print/print_settings.h"

class QListWidget;
class QPushButton;

namespace kx {
class UserPrompts;
class Workspace;
}  // namespace kx

namespace kx::ui {

class TabControl;
class CMyPrintView1;
class CMyPrintView2;
class CMyPrintView3;

class CMyPrint : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Settings, Word };

    // The figure renderer the dialog hosts while it is open (CWordDraw, which draws the Word
    // report's figures as the dialog opens). Made by the Word report code; the dialog owns
    // what it returns. Without one the dialog opens without a renderer.
    using FigureRendererFactory = std::function<QWidget*(CMyPrint& dialog)>;

    // `workspace` holds the print list and the current record; `settings` are the main
    // window's print settings; file dialogs and messages go through `prompts`.
    CMyPrint(Workspace& workspace, PrintSettings& settings, UserPrompts& prompts, Mode mode,
             QWidget* parent = nullptr, FigureRendererFactory figureRenderer = {});

    Mode DialogMode() const { return m_mode; }
    bool Confirmed() const { return m_confirmed; }
    PrintSettings& Settings() { return m_settings; }
    Workspace& ProjectWorkspace() { return m_workspace; }

    QListWidget* ListBox() const { return m_list; }
    TabControl* Tabs() const { return m_tab; }
    QPushButton* ConfirmButton() const { return m_confirm; }
    CMyPrintView1* ListPage() const { return m_page1; }
    CMyPrintView2* PrintParamsPage() const { return m_page2; }
    CMyPrintView3* PageParamsPage() const { return m_page3; }
    QWidget* FigureRenderer() const { return m_figureRenderer; }

    // The buttons' work, callable directly.
    void OnConfirm();
    void RemoveSelectedEntry();
    void SavePrintInfo();
    void LoadPrintInfo();
    // 封面信息…: edits the cover's fields (`ask` in place of the dialog for tests: it gets the
    // fields and returns false for 取消) and keeps them in the project folder.
    using CoverEditor = std::function<bool(ReportHeader&)>;
    void EditCover(const CoverEditor& ask = {});
    const ReportHeader& Cover() const { return m_cover; }
    // Where the project keeps the cover; empty without an open project.
    std::string CoverPath() const;

private:
    void OnInitDialog(const FigureRendererFactory& figureRenderer);
    void FillListBox();
    void ShowPage(int index);
    void PlacePages();
    void SettingsToControls();
    PrintInfo ControlsToPrintInfo() const;
    void PrintInfoToControls(const PrintInfo& info);
    void Tell(const std::string& text);

    Workspace& m_workspace;
    PrintSettings& m_settings;
    UserPrompts& m_prompts;
    Mode m_mode;
    bool m_confirmed = false;
    QListWidget* m_list = nullptr;
    TabControl* m_tab = nullptr;
    QPushButton* m_confirm = nullptr;
    CMyPrintView1* m_page1 = nullptr;
    CMyPrintView2* m_page2 = nullptr;
    CMyPrintView3* m_page3 = nullptr;
    QWidget* m_figureRenderer = nullptr;
    ReportHeader m_cover;
};

}  // namespace kx::ui
