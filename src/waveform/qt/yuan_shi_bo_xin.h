// The raw waveform view (原始波型), a tab of the main window's views: the eight blows of the
// current pile one below the other, scrolled vertically over a picture of 1000 x 1200 pixels, and
// the selected blow that 删除波型 and 撤销删除波形 act on.
#pragma once

#include <QAbstractScrollArea>
#include <QPixmap>

#include <functional>
#include "widgets/view_buffer.h"

#include "record/pile_record.h"

class QMenu;

namespace kx {

class CYuanShiBoXin : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CYuanShiBoXin(QWidget* parent = nullptr);

    // The current record whose blows are drawn (null: no file selected).
    void SetRecord(PileRecord* record);
    PileRecord* Record() const { return m_record; }
    // The selected blow, 0-7; -1 for none.
    void SetSelectedBlow(int blow);
    int SelectedBlow() const { return m_selectedBlow; }

    struct Hooks {
        std::function<bool()> fileSelected;          // m_currentPath not empty
        std::function<void(int commandId)> command;  // keys X, Delete, B
    };
    void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    Hooks& ViewHooks() { return m_hooks; }
    // Menu 167 (删除波形, 撤销删除波形), owned by the main window.
    void SetContextMenu(QMenu* menu) { m_contextMenu = menu; }
    QMenu* ContextMenu() const { return m_contextMenu; }

    // Draws the client picture at the current scroll position onto any painter.
    void Paint(QPainter& p) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool FileSelected() const;
    bool HasBands() const;
    void UpdateScrollRange();
    // Selects the blow under the click (client x, y); true when a click was taken.
    bool SelectAt(QPoint pos);

    PileRecord* m_record = nullptr;
    int m_selectedBlow = -1;
    Hooks m_hooks;
    QMenu* m_contextMenu = nullptr;
    ui::ViewBuffer m_buffer;
};

}  // namespace kx
