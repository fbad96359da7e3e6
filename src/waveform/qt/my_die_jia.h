// The stacked waveform analysis (叠加波型) view of the main window's views tab (child id 10002).
#pragma once

#include <QFrame>

namespace kx {

class CMyDieJia : public QFrame {
    Q_OBJECT
public:
    explicit CMyDieJia(QWidget* parent = nullptr);

    // Carries out a waveform tool sent by the main window (view commands 10001-10010) on the
    // current record's stacked waveform.
    void RunViewCommand(int viewCommand);
};

}  // namespace kx
