#include "ui/resource_images.h"

#include <QApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOption>
#include <cmath>

#include "res/ids.h"

namespace kx::ui {

namespace {

constexpr int kToolImageSize = 22;

QPixmap Blank(int w, int h, const QColor& fill = Qt::white) {
    QPixmap pm(w, h);
    pm.fill(fill);
    return pm;
}

void DrawFolder(QPainter& p) {
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(2, 6, 17, 12);
    p.drawRect(2, 4, 7, 3);
    p.setBrush(QColor(255, 225, 120));
    p.drawPolygon(QPolygonF({QPointF(4, 9), QPointF(21, 9), QPointF(19, 18), QPointF(2, 18)}));
}

void DrawDisk(QPainter& p) {
    p.setPen(QColor(20, 40, 110));
    p.setBrush(QColor(50, 90, 190));
    p.drawRect(3, 3, 16, 16);
    p.setBrush(Qt::white);
    p.drawRect(6, 3, 10, 6);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(6, 12, 10, 7);
    p.fillRect(12, 4, 2, 4, QColor(20, 40, 110));
}

void DrawPencil(QPainter& p) {
    p.setPen(QColor(80, 40, 0));
    p.setBrush(QColor(250, 170, 40));
    p.drawPolygon(QPolygonF(
        {QPointF(12, 20), QPointF(13, 16), QPointF(20, 9), QPointF(21, 12), QPointF(15, 19)}));
}

void DrawPrinter(QPainter& p) {
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(6, 2, 10, 7);
    p.setBrush(QColor(170, 170, 180));
    p.drawRect(2, 8, 18, 8);
    p.setBrush(Qt::white);
    p.drawRect(6, 13, 10, 7);
    p.setPen(QColor(120, 120, 120));
    p.drawLine(8, 16, 14, 16);
    p.drawLine(8, 18, 14, 18);
    p.fillRect(16, 10, 2, 2, QColor(40, 180, 40));
}

void DrawExit(QPainter& p) {
    p.setPen(QColor(90, 60, 30));
    p.setBrush(QColor(170, 120, 70));
    p.drawRect(3, 2, 10, 18);
    p.setPen(QPen(QColor(200, 30, 30), 2));
    p.drawLine(10, 11, 20, 11);
    p.drawLine(16, 7, 20, 11);
    p.drawLine(16, 15, 20, 11);
}

void DrawWave(QPainter& p, const QColor& color) {
    QPainterPath path(QPointF(1, 11));
    path.cubicTo(QPointF(4, -2), QPointF(6, 24), QPointF(10, 11));
    path.cubicTo(QPointF(13, 3), QPointF(15, 18), QPointF(21, 11));
    p.setPen(QPen(color, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void DrawDeleteBlow(QPainter& p) {
    DrawWave(p, QColor(30, 90, 180));
    p.setPen(QPen(QColor(210, 20, 20), 2.5));
    p.drawLine(5, 5, 17, 17);
    p.drawLine(17, 5, 5, 17);
}

void DrawUndoDelete(QPainter& p) {
    DrawWave(p, QColor(30, 90, 180));
    p.setPen(QPen(QColor(20, 140, 40), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 5, 13, 12), 0, 200 * 16);
    p.setBrush(QColor(20, 140, 40));
    p.drawPolygon(QPolygonF({QPointF(2, 9), QPointF(9, 9), QPointF(5, 14)}));
}

// A marker: a vertical dashed line across a small wave with its letter on a flag.
void DrawMarker(QPainter& p, const QColor& color, const QString& letter) {
    DrawWave(p, QColor(120, 120, 120));
    p.setPen(QPen(color, 2, Qt::DashLine));
    p.drawLine(11, 2, 11, 21);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRect(12, 1, 9, 9);
    QFont f("DejaVu Sans");
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(12, 1, 9, 9), Qt::AlignCenter, letter);
}

void DrawOptimize(QPainter& p) {
    DrawWave(p, QColor(30, 90, 180));
    p.setPen(QColor(60, 30, 0));
    p.setBrush(QColor(240, 200, 60));
    p.drawPolygon(QPolygonF(
        {QPointF(4, 20), QPointF(5, 15), QPointF(16, 3), QPointF(20, 7), QPointF(9, 19)}));
    p.setBrush(QColor(230, 120, 130));
    p.drawPolygon(QPolygonF({QPointF(16, 3), QPointF(18, 1), QPointF(22, 5), QPointF(20, 7)}));
}

// About picture: a pile in layered ground, a hammer above its head and the echo it returns.
QPixmap AboutPicture() {
    QPixmap pm(110, 199);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 60);
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(210, 230, 250));
    p.fillRect(0, 0, 110, 60, sky);
    const QColor layers[] = {QColor(150, 110, 70), QColor(180, 140, 90), QColor(130, 100, 70),
                             QColor(160, 130, 100)};
    for (int i = 0; i < 4; ++i) {
        p.fillRect(0, 60 + i * 35, 110, 35, layers[i]);
    }
    // pile
    p.setPen(QColor(70, 70, 70));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(42, 50, 16, 140);
    // hammer
    p.setBrush(QColor(90, 90, 110));
    p.drawRect(44, 22, 12, 12);
    p.drawLine(50, 22, 50, 8);
    // echo trace down the right side
    QPainterPath trace(QPointF(85, 55));
    for (int y = 55; y <= 190; y += 1) {
        const double t = (y - 55) / 135.0;
        double x = 85;
        if (y < 70) {
            x += 14 * std::sin((y - 55) / 15.0 * 3.14159);
        } else if (y > 168 && y < 184) {
            x -= 9 * std::sin((y - 168) / 16.0 * 3.14159);
        } else {
            x += 1.5 * std::sin(t * 40);
        }
        trace.lineTo(QPointF(x, y));
    }
    p.setPen(QPen(QColor(200, 20, 20), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.drawLine(70, 55, 100, 55);
    p.drawLine(70, 176, 100, 176);
    return pm;
}

// Draws tool image `id` into the 22 x 22 square of the painter; false for an unknown id.
bool DrawToolImage(QPainter& p, int id) {
    switch (id) {
        case id::kBitmapOpen:
            DrawFolder(p);
            return true;
        case id::kBitmapSave:
            DrawDisk(p);
            return true;
        case id::kBitmapSaveAs:
            DrawDisk(p);
            DrawPencil(p);
            return true;
        case id::kBitmapPrint:
            DrawPrinter(p);
            return true;
        case id::kBitmapExit:
            DrawExit(p);
            return true;
        case id::kBitmapDeleteBlow:
            DrawDeleteBlow(p);
            return true;
        case id::kBitmapUndoDelete:
            DrawUndoDelete(p);
            return true;
        case id::kBitmapPileTop:
            DrawMarker(p, QColor(20, 150, 40), "A");
            return true;
        case id::kBitmapDefect:
            DrawMarker(p, QColor(230, 120, 0), "S");
            return true;
        case id::kBitmapPileBottom:
            DrawMarker(p, QColor(30, 70, 200), "D");
            return true;
        case id::kBitmapOptimize:
            DrawOptimize(p);
            return true;
        default:
            return false;
    }
}

// The tool image as vector drawing: painted at whatever size and scale it is asked for, on
// its white ground, the disabled look made by the style.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(int id) : m_id(id) {}
    QIconEngine* clone() const override { return new DrawnIconEngine(m_id); }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatioF();
        QPixmap pm = pixmap(rect.size() * ratio, mode, state);
        pm.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pm);
    }
    // `size` in device pixels: QIcon asks for the size times the screen's ratio.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap pm(size);
        pm.fill(Qt::white);
        {
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size.width() / double(kToolImageSize), size.height() / double(kToolImageSize));
            DrawToolImage(p, m_id);
        }
        if (mode == QIcon::Disabled) {
            QStyleOption option;
            option.palette = QApplication::palette();
            return QApplication::style()->generatedIconPixmap(mode, pm, &option);
        }
        return pm;
    }

private:
    int m_id;
};

}  // namespace

QPixmap ResourceBitmap(int resourceId) {
    if (resourceId == id::kAboutBitmap) {
        return AboutPicture();
    }
    QPixmap pm = Blank(kToolImageSize, kToolImageSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (!DrawToolImage(p, resourceId)) {
        p.end();
        return QPixmap();
    }
    return pm;
}

QIcon ResourceIcon(int resourceId) {
    if (ResourceBitmap(resourceId).isNull() || resourceId == id::kAboutBitmap) {
        return QIcon();
    }
    return QIcon(new DrawnIconEngine(resourceId));
}

QIcon MainIcon() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(20, 50, 120));
    p.setBrush(QColor(40, 100, 200));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    p.setBrush(QColor(220, 220, 220));
    p.setPen(Qt::NoPen);
    p.drawRect(13, 8, 6, 21);
    QPainterPath echo(QPointF(4, 14));
    echo.cubicTo(QPointF(7, 2), QPointF(9, 26), QPointF(12, 14));
    echo.moveTo(20, 14);
    echo.cubicTo(QPointF(23, 22), QPointF(25, 6), QPointF(28, 14));
    p.setPen(QPen(QColor(255, 220, 60), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(echo);
    p.end();
    return QIcon(pm);
}

}  // namespace kx::ui
