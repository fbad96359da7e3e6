// Information page 工程信息: tester, testing unit, site, pile number, test date and time.
#pragma once

#include "widgets/info_page.h"

namespace kx::ui {

class CGongChengXX : public InfoPage {
    Q_OBJECT
public:
    CGongChengXX(PageHost* host, QWidget* parent);

    // Byte limits of the site and pile-number boxes, in GBK bytes: once a box holds more, only
    // Backspace is let through.
    static constexpr int kSiteByteLimit = 36;
    static constexpr int kPileNumberByteLimit = 10;

protected:
    bool FilterKey(QWidget* target, QKeyEvent* key) override;
};

}  // namespace kx::ui
