// A spin button bound to an edit box, as the print dialog's pages use them: it sits at the
// edit's right, steps the edit's integer value by one within its range on a click or on the
// arrow keys typed in the edit, and writes the value into the edit as decimal text.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace kx::ui {

class BuddySpinButton : public QWidget {
    Q_OBJECT
public:
    BuddySpinButton(QLineEdit* buddy, QWidget* parent);

    void SetRange(int lowest, int highest);
    int Lowest() const { return m_lowest; }
    int Highest() const { return m_highest; }
    // One step up (+1) or down (-1) from the edit's value, held to the range.
    void Step(int direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* m_buddy;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_lowest = 0;
    int m_highest = 100;
};

}  // namespace kx::ui
