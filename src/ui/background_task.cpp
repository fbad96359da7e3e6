#include "ui/background_task.h"

#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "widgets/quiet_progress.h"
#include "workspace/thread_priority.h"

namespace kx::ui {

// What the window's thread and the work share.
struct CBackgroundTask::Shared {
    CBackgroundTask* task = nullptr;  // lives on the window's thread
    UserPrompts* prompts = nullptr;
    std::atomic<bool> cancelled{false};
    std::atomic<size_t> done{0};
    std::atomic<size_t> total{0};
    std::atomic<bool> progressPosted{false};
    std::mutex mutex;
    std::condition_variable changed;  // a call in the window ended, or the task was cancelled
};

namespace {

// One call of the work into the window's thread.
struct WindowCall {
    std::function<void()> call;
    bool running = false;    // the window has begun it
    bool finished = false;   // it returned
    bool abandoned = false;  // the work stopped waiting: the window must not begin it
};

}  // namespace

class CBackgroundTask::Work::WindowPrompts : public UserPrompts {
public:
    explicit WindowPrompts(Work& work) : m_work(work) {}
    void ShowMessage(const std::string& text, const std::string& caption) override {
        m_work.InWindow([&] { Target().ShowMessage(text, caption); });
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        return Ask(false, [&] { return Target().AskYesNo(text, caption); });
    }
    SaveAnswer AskSaveChanges(const std::string& text, const std::string& caption) override {
        return Ask(SaveAnswer::Cancel, [&] { return Target().AskSaveChanges(text, caption); });
    }
    std::optional<std::string> BrowseForFolder(const std::string& title) override {
        return Ask(std::optional<std::string>(), [&] { return Target().BrowseForFolder(title); });
    }
    std::optional<std::string> AskOpenFile(const std::string& filter) override {
        return Ask(std::optional<std::string>(), [&] { return Target().AskOpenFile(filter); });
    }
    std::optional<std::string> AskSaveFile(const std::string& initialName,
                                           const std::string& filter) override {
        return Ask(std::optional<std::string>(),
                   [&] { return Target().AskSaveFile(initialName, filter); });
    }
    OverwriteAnswer AskOverwrite(const std::string& message) override {
        return Ask(OverwriteAnswer::Closed, [&] { return Target().AskOverwrite(message); });
    }

private:
    UserPrompts& Target() { return *m_work.m_shared->prompts; }
    template <class T, class F>
    T Ask(T whenCancelled, F&& ask) {
        T answer = whenCancelled;
        m_work.InWindow([&] { answer = ask(); });
        return answer;
    }
    Work& m_work;
};

CBackgroundTask::Work::Work(std::shared_ptr<Shared> shared)
    : m_shared(std::move(shared)), m_prompts(std::make_unique<WindowPrompts>(*this)) {}

CBackgroundTask::Work::~Work() = default;

void CBackgroundTask::Work::Advance(size_t done, size_t total) {
    m_shared->done = done;
    m_shared->total = total;
    // At most one progress event waits in the window's queue, however fast the work goes.
    if (!m_shared->progressPosted.exchange(true)) {
        QMetaObject::invokeMethod(
            m_shared->task,
            [task = m_shared->task, shared = m_shared] {
                if (shared == task->m_shared) {
                    task->ShowProgress();
                }
            },
            Qt::QueuedConnection);
    }
}

bool CBackgroundTask::Work::Cancelled() const {
    return m_shared->cancelled;
}

bool CBackgroundTask::Work::InWindow(const std::function<void()>& call) {
    Shared& s = *m_shared;
    auto request = std::make_shared<WindowCall>();
    request->call = call;
    QMetaObject::invokeMethod(
        s.task,
        [shared = m_shared, request] {
            {
                std::lock_guard lock(shared->mutex);
                if (request->abandoned) {
                    return;
                }
                request->running = true;
            }
            request->call();
            {
                std::lock_guard lock(shared->mutex);
                request->finished = true;
            }
            shared->changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(s.mutex);
    // A call under way is waited for even after 取消: it works on this thread's data.
    s.changed.wait(lock, [&] { return request->finished || (s.cancelled && !request->running); });
    if (!request->finished) {
        request->abandoned = true;
        return false;
    }
    return true;
}

UserPrompts& CBackgroundTask::Work::Prompts() {
    return *m_prompts;
}

CBackgroundTask::CBackgroundTask(QStatusBar* bar, UserPrompts& prompts, QObject* parent)
    : QObject(parent), m_shared(std::make_shared<Shared>()), m_prompts(prompts) {
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName("taskProgress");
    m_progress->setMaximumWidth(260);
    m_progress->hide();
    m_cancel = new QPushButton("取消", bar);
    m_cancel->setObjectName("taskCancel");
    m_cancel->hide();
    bar->addPermanentWidget(m_progress);
    bar->addPermanentWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, &CBackgroundTask::Cancel);
}

CBackgroundTask::~CBackgroundTask() {
    Stop();
}

bool CBackgroundTask::Start(const QString& label, std::function<void(Work&)> work,
                            std::function<void()> done) {
    if (Running()) {
        return false;
    }
    // Each task has its own shared state: a late event of the last one finds nothing to do.
    m_shared = std::make_shared<Shared>();
    m_shared->task = this;
    m_shared->prompts = &m_prompts;
    m_done = std::move(done);
    m_progress->setFormat(label + " %v / %m");
    m_progress->setRange(0, 0);  // busy until the work says how much there is
    m_progress->show();
    m_cancel->setEnabled(true);
    m_cancel->show();
    m_thread = std::thread([this, shared = m_shared, work = std::move(work)] {
        GiveWayToTheWindow();
        {
            Work w(shared);
            work(w);
        }
        QMetaObject::invokeMethod(
            this,
            [this, shared] {
                if (shared == m_shared) {
                    Ended();
                }
            },
            Qt::QueuedConnection);
    });
    emit runningChanged(true);
    return true;
}

void CBackgroundTask::Cancel() {
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->cancelled = true;
    }
    m_shared->changed.notify_all();
    m_cancel->setEnabled(false);
}

void CBackgroundTask::Finish() {
    if (Running()) {
        Cancel();
        Ended();
    }
}

void CBackgroundTask::Stop() {
    if (Running()) {
        Cancel();
        m_thread.join();
        m_done = nullptr;
        m_shared = std::make_shared<Shared>();
    }
}

void CBackgroundTask::Ended() {
    if (!m_thread.joinable()) {
        return;
    }
    m_thread.join();
    m_shared = std::make_shared<Shared>();  // what is still queued of this task is dropped
    m_progress->hide();
    m_cancel->hide();
    std::function<void()> done = std::move(m_done);
    m_done = nullptr;
    if (done) {
        done();
    }
    emit runningChanged(false);
}

void CBackgroundTask::ShowProgress() {
    m_shared->progressPosted = false;
    const size_t total = m_shared->total;
    SetProgressQuietly(m_progress, 0, static_cast<int>(total),
                       static_cast<int>(std::min(m_shared->done.load(), total)));
}

}  // namespace kx::ui
