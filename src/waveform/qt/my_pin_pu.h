// The spectrum view (频谱分析), a tab of the main window's views: the amplitude spectrum of the
// mean of the present blows, a cursor, and the pile length C / 2f it reads.
#pragma once

#include <QAbstractScrollArea>
#include <QPixmap>

#include <functional>
#include <string>
#include "widgets/view_buffer.h"

#include "record/pile_record.h"
#include "waveform/spectrum.h"
#include "waveform/spectrum_view_geometry.h"

class QMenu;

namespace kx {

class CMyPinPu : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CMyPinPu(QWidget* parent = nullptr);

    // Computes the spectrum of the record's blows, resets zoom and drag state and repaints.
    void ComputeSpectrum(const PileRecord& rec);
    // No file selected: nothing to draw.
    void Clear();

    // The buffer ComputeSpectrum writes (DeleteBlow recomputes it in place).
    SpectrumBuffer& Spectrum() { return m_spectrum; }
    int Zoom() const { return m_zoom; }
    int32_t CursorX() const { return m_cursorX; }
    bool Dragging() const { return m_dragging; }

    // The zoom commands of its menu (169): 放大, 缩小, 还原.
    void ZoomIn();
    void ZoomOut();
    void ResetZoom();

    struct Hooks {
        std::function<bool()> fileSelected;      // m_currentPath not empty
        std::function<std::string()> speedText;  // box 1018 波速(m/s)
    };
    void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    Hooks& ViewHooks() { return m_hooks; }
    void SetContextMenu(QMenu* menu) { m_contextMenu = menu; }
    QMenu* ContextMenu() const { return m_contextMenu; }

    // 视图 > 频率坐标: the frequency axis in Hz along the zero line (off by default).
    void SetFrequencyAxisShown(bool shown);
    bool FrequencyAxisShown() const { return m_axisShown; }

    // The readings for the current cursor.
    SpectrumReadout Readout() const;
    // Draws the client picture onto any painter.
    void Paint(QPainter& p) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel zooms as 放大 and 缩小 do.
    void wheelEvent(QWheelEvent* event) override;

private:
    bool FileSelected() const;

    SpectrumBuffer m_spectrum{};
    bool m_computed = false;  // a spectrum was computed since the last Clear
    int m_count = 0;          // N and interval of the record it was computed for
    int32_t m_intervalUs = 0;
    bool m_dragging = false;
    int32_t m_cursorX = 0;
    int32_t m_cursorY = 0;
    int m_zoom = 1;
    Hooks m_hooks;
    QMenu* m_contextMenu = nullptr;
    ui::ViewBuffer m_buffer;
    bool m_axisShown = false;
};

}  // namespace kx
