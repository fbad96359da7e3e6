// The status bar's word on a file the program has just written (保存, 另存为, 输出PDF, 输出到WORD):
// what was written where, with buttons that open the file and its folder. When no program
// opens them, it says where the file is instead of failing silently.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QToolButton;

namespace kx::ui {

class CFileNotice : public QWidget {
    Q_OBJECT
public:
    // Opens a file or folder with the desktop's program for it; false when none took it.
    using OpenFn = std::function<bool(const QString& path)>;

    explicit CFileNotice(QWidget* parent);

    // Shows `text` about the file `path` with its two buttons.
    void Show(const QString& text, const QString& path);
    // Nothing to say any more (another pile, another project).
    void Clear();
    void SetOpener(OpenFn open) { m_open = std::move(open); }

    QString Text() const;
    QToolButton* OpenFileButton() const { return m_openFile; }
    QToolButton* OpenFolderButton() const { return m_openFolder; }

private:
    void Open(const QString& what);

    QLabel* m_label = nullptr;
    QToolButton* m_openFile = nullptr;
    QToolButton* m_openFolder = nullptr;
    QString m_path;
    OpenFn m_open;
};

}  // namespace kx::ui
