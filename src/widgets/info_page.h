// Common ground of the five information pages: each is built like a dialog template, its
// controls placed in dialog units and named by their ids, and each filters the keys typed in
// it before its controls see them.
#pragma once

#include <QWidget>

class QKeyEvent;
class QLabel;
class QLineEdit;

namespace kx::ui {

class PageHost;

class InfoPage : public QWidget {
    Q_OBJECT
public:
    InfoPage(PageHost* host, int dialogId, QWidget* parent);

    // The control with this id on the page, or null.
    template <typename T = QWidget>
    T* Control(int id) const {
        return findChild<T*>(QString::number(id));
    }
    QLineEdit* Edit(int id) const;

protected:
    // A static text at a template position, widened where its text would not fit.
    QLabel* AddLabel(const QString& text, int x, int y, int width, int height);
    // A single-line, bordered edit box.
    QLineEdit* AddEdit(int id, int x, int y, int width, int height);
    // Names a control by its id and places it at its template position.
    template <typename T>
    T* Place(T* control, int id, int x, int y, int width, int height) {
        PlaceWidget(control, id, x, y, width, height);
        return control;
    }
    // Called once the controls exist: every control's keys now pass this page's filter.
    void FinishControls();

    // The page's own filtering of a key pressed in `target` (a control of the page); true
    // swallows the key. Enter and Esc not taken here are swallowed afterwards.
    virtual bool FilterKey(QWidget* target, QKeyEvent* key);

    bool eventFilter(QObject* watched, QEvent* event) override;

    PageHost* Host() const { return m_host; }

private:
    void PlaceWidget(QWidget* control, int id, int x, int y, int width, int height);

    PageHost* m_host;
};

}  // namespace kx::ui
