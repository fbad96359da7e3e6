// Long work beside the window's event loop (导入原始数据, 输出PDF, 输出到WORD). The work runs
// on a thread of its own while the status bar shows its progress ("导入 k / n") with a 取消
// button; a question it asks the user is asked in the window while the work waits for the
// answer; its end is handed back to the window's thread. One task at a time: the window's
// commands wait meanwhile (Running).
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <thread>

#include "record/task_progress.h"
#include "workspace/user_prompts.h"

class QProgressBar;
class QPushButton;
class QStatusBar;

namespace kx::ui {

class CBackgroundTask : public QObject {
    Q_OBJECT
public:
    struct Shared;

    // What the work sees of the window: its progress, 取消, and the user's prompts.
    class Work : public TaskProgress {
    public:
        explicit Work(std::shared_ptr<Shared> shared);
        ~Work() override;
        void Advance(size_t done, size_t total) override;
        bool Cancelled() const override;
        // Runs `call` on the window's thread and waits for it to return. False, and not run,
        // when the task is cancelled before the window gets to it.
        bool InWindow(const std::function<void()>& call);
        // The window's prompts, each asked in the window. Once the task is cancelled nothing
        // more is asked: a question then counts as its dialog closed.
        UserPrompts& Prompts();

    private:
        class WindowPrompts;
        std::shared_ptr<Shared> m_shared;
        std::unique_ptr<WindowPrompts> m_prompts;
    };

    // The progress bar and 取消 go into `bar`; the work's questions go to `prompts`.
    CBackgroundTask(QStatusBar* bar, UserPrompts& prompts, QObject* parent);
    ~CBackgroundTask() override;

    bool Running() const { return m_thread.joinable(); }
    // Starts `work` on its own thread, the bar reading "`label` k / n". `done` runs on the
    // window's thread once the work has returned, also after 取消. False when a task runs.
    bool Start(const QString& label, std::function<void(Work&)> work, std::function<void()> done);
    // 取消: the work ends at its next step.
    void Cancel();
    // Cancels and waits for the end, `done` included (the window closing).
    void Finish();
    // Cancels and waits for the work to return without running `done` (taking the window down).
    void Stop();

signals:
    void runningChanged(bool running);

private:
    void Ended();
    void ShowProgress();

    std::shared_ptr<Shared> m_shared;
    UserPrompts& m_prompts;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    std::thread m_thread;
    std::function<void()> m_done;
};

}  // namespace kx::ui
