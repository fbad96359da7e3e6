// The About box (关于): the program's name and version, a picture and three lines of
// notices. Both buttons close it.
#pragma once

#include <QDialog>

class QLabel;

namespace kx::ui {

class CAbout : public QDialog {
    Q_OBJECT
public:
    explicit CAbout(QWidget* parent = nullptr);

    static constexpr const char* kVersionLine = " 版本： 18.0628";

private:
    QLabel* m_picture;  // control 1062
};

}  // namespace kx::ui
