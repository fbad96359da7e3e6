#include "waveform/qt/my_die_jia.h"
#include "widgets/view_buffer.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

#include "analysis/depth_scale_geometry.h"
#include "record/file_io.h"
#include "render/axis_render.h"
#include "render/depth_scale_render.h"
#include "render/stacked_view_render.h"
#include "res/ids.h"
#include "waveform/float32.h"
#include "waveform/qt/pin_hua.h"
#include "waveform/tool_commands.h"

namespace kx {

CMyDieJia::CMyDieJia(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QString::number(id::kStackedView));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    // The picture always fits: the view never scrolls.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

bool CMyDieJia::FileSelected() const {
    return m_hooks.fileSelected ? m_hooks.fileSelected() : m_markers.record != nullptr;
}

int CMyDieJia::ClientWidth() const {
    // The frame's inside, which follows a new geometry at once even while the view is hidden
    // (its viewport is laid out only when it is shown again).
    return contentsRect().width();
}

int CMyDieJia::MarkerWidth() const {
    const int64_t width = static_cast<int64_t>(ClientWidth()) * m_zoom;
    return static_cast<int>(std::min<int64_t>(width, std::numeric_limits<int32_t>::max()));
}

void CMyDieJia::FollowWidth() {
    ChangeMarkerViewWidth(m_markers, MarkerWidth());
}

void CMyDieJia::SetRecord(PileRecord* record) {
    m_markers.record = record;
    m_markers.viewWidth = MarkerWidth();
    m_vScale = 0;
    viewport()->update();
}

void CMyDieJia::PlaceMarkersForRecord(PileRecord& rec) {
    m_markers.record = &rec;
    m_markers.viewWidth = MarkerWidth();
    m_vScale = 0;
    PlaceMarkersOnSelection(m_markers);
    viewport()->update();
}

void CMyDieJia::SetBackupWave(const WaveSlot& stacked) {
    m_backupWave = stacked;
}

void CMyDieJia::RestoreWave(PileRecord& rec) {
    m_zoom = 1;
    FollowWidth();
    rec.waves[kStackedSlot] = m_backupWave;
    viewport()->update();
}

float CMyDieJia::DefectDepthOf(const PileRecord& rec) const {
    return DefectDepth(rec, MarkerWidth());
}

void CMyDieJia::RunViewCommand(int viewCommand) {
    PileRecord* rec = m_markers.record;
    if (rec == nullptr) {
        return;
    }
    std::optional<int> points;
    if (viewCommand == kToolSmooth) {
        points = m_hooks.askSmoothPoints ? m_hooks.askSmoothPoints() : CPinHua::AskPoints(this);
        if (!points) {
            return;  // 取消 changes nothing
        }
    }
    ToolTarget t = MakeToolTarget(*rec);
    if (RunToolCommand(viewCommand, t, points.value_or(0))) {
        m_zoom = t.zoom;
        FollowWidth();
        viewport()->update();
    }
}

ToolTarget CMyDieJia::MakeToolTarget(PileRecord& rec) {
    ToolTarget t;
    t.record = &rec;
    t.viewWidth = ClientWidth();
    t.cursorX = m_markers.cursorX;
    t.zoom = m_zoom;
    t.backupWave = &m_backupWave;
    t.cutoffText = m_hooks.cutoffText ? m_hooks.cutoffText() : std::string();
    t.dumpCount = rec.SampleCount();
    return t;
}

void CMyDieJia::AmplifyWave(double gain) {
    PileRecord* rec = m_markers.record;
    if (rec == nullptr) {
        return;
    }
    ToolTarget t = MakeToolTarget(*rec);
    t.amplifyGain = gain;
    if (RunToolCommand(kToolAmplify, t)) {
        viewport()->update();
    }
}

void CMyDieJia::SetDepthScaleShown(bool shown) {
    m_depthScaleShown = shown;
    viewport()->update();
}

void CMyDieJia::Paint(QPainter& p) {
    if (m_markers.record == nullptr) {
        return;
    }
    const PileRecord& rec = *m_markers.record;
    m_vScale = VerticalScale(rec.waves[kStackedSlot].data(), rec.SampleCount());
    StackedViewScene scene;
    scene.markers = &m_markers;
    scene.zoom = m_zoom;
    scene.liveSpeed = m_liveSpeed;
    scene.liveLength = m_liveLength;
    RenderStackedView(p, viewport()->size(), scene);
    if (m_axesShown) {
        const int w = viewport()->width();
        RenderAxis(p, TimeAxis(MarkerWidth(), w, rec), kAxisY, w, "ms");
    }
    if (m_depthScaleShown || m_axesShown) {
        PaintDepthScale(p, rec);
    }
}

void CMyDieJia::SetAxesShown(bool shown) {
    m_axesShown = shown;
    viewport()->update();
}

void CMyDieJia::wheelEvent(QWheelEvent* event) {
    if (!FileSelected() || m_markers.record == nullptr || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    RunViewCommand(event->angleDelta().y() > 0 ? kToolZoomIn : kToolZoomOut);
    event->accept();
}

void CMyDieJia::PaintDepthScale(QPainter& p, const PileRecord& rec) {
    const QSize client = viewport()->size();
    const auto scale =
        ComputeDepthScale(MarkerWidth(), client.height(), m_markers.topX, rec, client.width());
    if (!scale) {
        return;
    }
    if (!m_depthScaleShown) {
        RenderDepthScale(p, *scale, {});  // the axis alone, without the analysis's defects
        return;
    }
    // A 优化 drag redraws the waveform on every move, and the analysis takes a moment: the
    // defects found before the drag stay on the scale until the button is released.
    const bool handDrawing = m_markers.dragging && m_hooks.optimizeOn && m_hooks.optimizeOn();
    if (!handDrawing) {
        m_scaleDefects = m_hooks.analyse ? m_hooks.analyse(rec).defects : std::vector<PileDefect>{};
    }
    RenderDepthScale(p, *scale, DefectMarks(m_scaleDefects, MarkerWidth(), rec));
}

void CMyDieJia::paintEvent(QPaintEvent*) {
    if (!FileSelected() || m_markers.record == nullptr) {
        return;
    }
    // Off-screen first, then one copy onto the window.
    m_buffer.Paint(viewport(), [this](QPainter& off) { Paint(off); });
    const PileRecord& rec = *m_markers.record;
    DumpWaveToFile("画图前.txt", rec.waves[kStackedSlot].data(), rec.SampleCount());
}

void CMyDieJia::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    FollowWidth();
}

void CMyDieJia::UpdateCursorReadout(int32_t x, int32_t y) {
    m_cursorY = y;
    const CursorReadout readout = MoveCursor(m_markers, x, 0);
    if (m_markers.record != nullptr && m_hooks.showReadout) {
        m_hooks.showReadout(readout);
    }
    viewport()->update();
}

void CMyDieJia::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (m_contextMenu != nullptr) {
            m_contextMenu->popup(viewport()->mapToGlobal(pos));
        }
        return;
    }
    if (event->button() != Qt::LeftButton || !FileSelected()) {
        return;
    }
    // The press grabs the mouse until the release, so moves outside the view still arrive.
    setFocus(Qt::MouseFocusReason);
    m_markers.dragging = true;
    UpdateCursorReadout(pos.x(), pos.y());
}

void CMyDieJia::mouseMoveEvent(QMouseEvent* event) {
    if (!FileSelected() || !m_markers.dragging || m_markers.record == nullptr) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    PileRecord& rec = *m_markers.record;
    const int w = MarkerWidth();
    UpdateCursorReadout(pos.x(), pos.y());
    if (m_markers.fixMode == FixMode::kLengthFixed) {
        m_liveSpeed = kx::LiveSpeed(pos.x(), m_markers.topX, w, rec);
    } else {
        m_liveLength = kx::LiveLength(pos.x(), m_markers.topX, w, rec);
    }
    if (m_hooks.optimizeOn && m_hooks.optimizeOn()) {
        // 优化: the drag redraws the waveform by hand with the scale of the last paint, at the
        // zoom it is drawn with.
        const float vScale =
            F32(static_cast<double>(m_vScale != 0 ? m_vScale
                                                  : VerticalScale(rec.waves[kStackedSlot].data(),
                                                                  rec.SampleCount())) *
                m_zoom);
        const WaveSlot before = rec.waves[kStackedSlot];
        HandDrawSamples(rec.waves[kStackedSlot].data(), rec.SampleCount(), pos.x(), pos.y(), w,
                        vScale);
        if (rec.waves[kStackedSlot] != before && m_hooks.waveEdited) {
            m_hooks.waveEdited();
        }
    }
    viewport()->update();
}

void CMyDieJia::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const bool dragged = m_markers.dragging;
    m_markers.dragging = false;
    viewport()->update();
    if (dragged && m_hooks.dragDone) {
        m_hooks.dragDone();
    }
}

void CMyDieJia::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            UpdateCursorReadout(m_markers.cursorX - 1, m_cursorY);
            return;
        case Qt::Key_Right:
            UpdateCursorReadout(m_markers.cursorX + 1, m_cursorY);
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->ignore();
            return;
        case Qt::Key_A:
        case Qt::Key_S:
        case Qt::Key_D:
            // The letters are plain keys; with a modifier they are someone else's shortcut.
            if (event->modifiers() & ~Qt::KeypadModifier) {
                QAbstractScrollArea::keyPressEvent(event);
                return;
            }
            if (m_hooks.command) {
                m_hooks.command(event->key() == Qt::Key_A   ? id::kCmdPileTop
                                : event->key() == Qt::Key_S ? id::kCmdDefect
                                                            : id::kCmdPileBottom);
            }
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace kx
