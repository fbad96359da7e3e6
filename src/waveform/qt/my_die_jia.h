// The stacked waveform view (叠加波型), a tab of the main window's views.
// It draws through RenderStackedView and turns mouse and keys into cursor readouts, the 优化
// hand drawing and the window's commands; the tools it carries out are the core's.
#pragma once

#include <QAbstractScrollArea>
#include <QPixmap>

#include <functional>
#include <optional>
#include <string>
#include "widgets/view_buffer.h"

#include "analysis/pile_analysis.h"
#include "record/pile_record.h"
#include "waveform/pile_markers.h"
#include "waveform/stacked_view_geometry.h"
#include "waveform/tool_commands.h"

class QMenu;

namespace kx {

class CMyDieJia : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CMyDieJia(QWidget* parent = nullptr);

    // The record the view draws and its tools edit: the current record, null while no file
    // is selected. The main window keeps it alive while it is set.
    void SetRecord(PileRecord* record);
    PileRecord* Record() const { return m_markers.record; }

    // The markers, cursor and page-box texts the marker commands share with the main window.
    MarkerState& Markers() { return m_markers; }
    const MarkerState& Markers() const { return m_markers; }

    // File selection: places the three markers for `rec` (this view's width) and sets its
    // pileTopTimeUs.
    void PlaceMarkersForRecord(PileRecord& rec);
    // m_backupWave: the stacked waveform as it was when the file was selected.
    void SetBackupWave(const WaveSlot& stacked);
    const WaveSlot& BackupWave() const { return m_backupWave; }
    // Zoom back to 1 and the backup wave copied over the record's stacked waveform.
    void RestoreWave(PileRecord& rec);
    // Defect position in metres of a record, for the markers' width.
    float DefectDepthOf(const PileRecord& rec) const;
    int Zoom() const { return m_zoom; }

    // Carries out a waveform tool sent by the main window (view commands 10001-10010) on the
    // current record's stacked waveform.
    void RunViewCommand(int viewCommand);
    // 指数放大 with the gain its dialog returned, as a tool on the stacked waveform.
    void AmplifyWave(double gain);

    // 深度标尺 (off by default): the depth scale along the bottom edge, found defects on it.
    void SetDepthScaleShown(bool shown);
    bool DepthScaleShown() const { return m_depthScaleShown; }
    // 时间深度坐标 (off by default): a time axis in ms along the bottom axis, and the depth in
    // metres from the pile top along the bottom edge.
    void SetAxesShown(bool shown);
    bool AxesShown() const { return m_axesShown; }

    // What the view asks of and tells the main window. Unset hooks do nothing (queries answer
    // "no file", "off", an empty text; 平滑 then shows CPinHua).
    struct Hooks {
        std::function<bool()> fileSelected;                     // m_currentPath not empty
        std::function<void(const CursorReadout&)> showReadout;  // boxes 1022, 1006, 1007
        std::function<std::string()> cutoffText;                // box 1008 低通(Hz)
        std::function<bool()> optimizeOn;                       // m_optimizeOn (优化)
        std::function<std::optional<int>()> askSmoothPoints;    // CPinHua; none: cancelled
        std::function<void(int commandId)> command;             // keys A, S, D
        std::function<void()> waveEdited;  // the 优化 drag changed the stacked waveform
        std::function<void()> dragDone;    // the left button was released after a drag
        // The analysis of a record for the depth scale's defects (the window's); unset: the
        // scale shows no defects.
        std::function<const PileAnalysis&(const PileRecord&)> analyse;
    };
    void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    Hooks& ViewHooks() { return m_hooks; }
    // The right-click menu: the menu bar's 工具 pop-up, whose picks reach the window as
    // menu-bar picks.
    void SetContextMenu(QMenu* tools) { m_contextMenu = tools; }
    QMenu* ContextMenu() const { return m_contextMenu; }

    // W, the client width the plot is computed for.
    int ClientWidth() const;
    // The width the markers, the cursor readouts and the depth scale are computed for: W
    // times the zoom (a zoomed view is the waveform drawn that much wider, its start shown),
    // so that a marker stays on its sample whatever the window's size and the zoom.
    int MarkerWidth() const;
    // The markers follow a new width or zoom (done on every resize and zoom; a view resized
    // while hidden hears of it only when shown, so the window calls it before a marker
    // command).
    void FollowWidth();
    // Draws the client picture (what a paint shows) onto any painter: the view's picture, and
    // over it the depth scale when that is shown.
    void Paint(QPainter& p);
    // The cursor moved to client x, y (mouse or arrow keys): readouts into the boxes.
    void UpdateCursorReadout(int32_t x, int32_t y);
    int32_t CursorY() const { return m_cursorY; }
    float LiveSpeed() const { return m_liveSpeed; }
    float LiveLength() const { return m_liveLength; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel zooms as 放大 and 缩小 do; the markers stay on their samples.
    void wheelEvent(QWheelEvent* event) override;

private:
    bool FileSelected() const;
    ToolTarget MakeToolTarget(PileRecord& rec);
    void PaintDepthScale(QPainter& p, const PileRecord& rec);

    MarkerState m_markers;
    WaveSlot m_backupWave{};
    int m_zoom = 1;
    int32_t m_cursorY = 0;
    float m_vScale = 0;  // pixels per count at zoom 1 of the last paint; 0 before the first
    float m_liveSpeed = 0;
    float m_liveLength = 0;
    Hooks m_hooks;
    QMenu* m_contextMenu = nullptr;
    ui::ViewBuffer m_buffer;  // the off-screen picture each paint rebuilds
    bool m_depthScaleShown = false;
    bool m_axesShown = false;
    std::vector<PileDefect> m_scaleDefects;  // the defects the depth scale shows
};

}  // namespace kx
