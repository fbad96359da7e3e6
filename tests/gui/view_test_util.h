// Records and helpers for the waveform view tests: a view of a fixed client size, its picture
// as an image, and pixel counts.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QImage>
#include <QTest>
#include <cmath>
#include <functional>

#include "record/pile_record.h"

namespace kx::test {

inline constexpr QRgb kWhite = 0xffffffff;
inline constexpr QRgb kBlack = 0xff000000;
inline constexpr QRgb kGrey = 0xffa8a8a8;

// A record of `n` samples at 20 µs, 10 m long; every slot (blows and stacked) holds
// sample(i) and every blow is present.
inline PileRecord ViewRecord(int n, const std::function<int32_t(int)>& sample) {
    PileRecord r;
    r.sampleCount = static_cast<int16_t>(n);
    r.sampleIntervalUs = 20;
    r.pileLength = 10;
    r.waveSpeed = 4000;
    r.pileBottomTimeUs = 8000;
    r.waveAbsent.fill(false);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (int i = 0; i < n; ++i) {
            r.waves[static_cast<size_t>(slot)][static_cast<size_t>(i)] = sample(i);
        }
    }
    return r;
}

// Three periods of a sine of amplitude 1000, with the peak `peak` at sample 100 and the
// trough -peak at sample 300 (the largest magnitudes).
inline PileRecord PeakRecord(int32_t peak = 2000) {
    return ViewRecord(1024, [peak](int i) {
        if (i == 100)
            return peak;
        if (i == 300)
            return -peak;
        return static_cast<int32_t>(
            std::lround(1000 * std::sin(2 * 3.14159265358979 * 3 * i / 1024)));
    });
}

// Shows the view with a client area (its viewport) of exactly `client` pixels.
inline void ShowWithClientSize(QAbstractScrollArea* view, QSize client) {
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    for (int attempt = 0; attempt < 3 && view->viewport()->size() != client; ++attempt) {
        view->resize(view->size() + client - view->viewport()->size());
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(view->viewport()->size(), client);
}

// What the view's paint puts on the screen.
inline QImage Picture(QAbstractScrollArea* view) {
    return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline int CountInRow(const QImage& img, int y, QRgb color, int x0 = 0, int x1 = -1) {
    if (x1 < 0)
        x1 = img.width();
    int n = 0;
    for (int x = x0; x < x1; ++x)
        n += img.pixel(x, y) == color;
    return n;
}

inline int CountInColumn(const QImage& img, int x, QRgb color, int y0 = 0, int y1 = -1) {
    if (y1 < 0)
        y1 = img.height();
    int n = 0;
    for (int y = y0; y < y1; ++y)
        n += img.pixel(x, y) == color;
    return n;
}

// Pixels of the rectangle that are neither white nor the zero lines' grey.
inline int CountInk(const QImage& img, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixel(x, y) != kWhite && img.pixel(x, y) != kGrey;
    return n;
}

}  // namespace kx::test
