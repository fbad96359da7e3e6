// The gain dialog of 指数放大: asks the gain per millisecond, 0 to 10, 2 to begin with.
#pragma once

#include <QDialog>
#include <optional>

class QDoubleSpinBox;

namespace kx {

class CZhiShuFangDa : public QDialog {
    Q_OBJECT
public:
    static constexpr double kDefaultGain = 2.0;
    static constexpr double kMaxGain = 10.0;

    explicit CZhiShuFangDa(QWidget* parent = nullptr);

    QDoubleSpinBox* GainBox() const { return m_gain; }
    double Gain() const;

    // Shows the dialog modally: the gain after 确定, nothing after 取消.
    static std::optional<double> AskGain(QWidget* parent);

private:
    QDoubleSpinBox* m_gain = nullptr;
};

}  // namespace kx
