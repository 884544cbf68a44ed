#pragma once

#include "vbprog/toolkit/batchobserver.h"
#include "vbprog/toolkit/eventpace.h"

#include <QList>
#include <QWidget>
#include <functional>

class QLabel;

namespace toolkit
{

// The window of a batch tool, as the batch sees it: the progress in a status label and a
// count label, the window's events at a pace a person can follow, and a stop that
// Pause/Break asks for whichever control has the focus. While a batch runs the controls
// rest and the window stays open.
class BatchWindow : public QWidget, protected BatchObserver
{
public:
    // The question Pause/Break asks during a batch, by its title and text.
    BatchWindow(const QString &stopTitle, const QString &stopText, QWidget *parent = nullptr);
    ~BatchWindow() override;

    bool busy() const { return m_busy; }

    // Answers the stop question, true to stop; replaceable for tests. By default a message
    // box with "是" and "否".
    std::function<bool()> confirmStop;

protected:
    // The labels the progress shows in, children of the window.
    void showProgressIn(QLabel *message, QLabel *count);
    // The controls that rest while a batch runs.
    void restDuringBatch(const QList<QWidget *> &controls) { m_controls = controls; }
    // Runs the batch under the hourglass with the controls resting; ignored while one runs.
    void run(const std::function<void()> &batch);
    // Keeps what the window remembers, when it closes with no batch running.
    virtual void keepSettings() {}

    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    // BatchObserver
    void letEventsRun() override { m_eventPace.letEventsRun(); }
    bool stopRequested() const override { return m_stopRequested; }
    QString message() const override;
    void setMessage(const QString &text) override;
    void setCount(std::optional<int> count) override;
    void refuse(const QString &title, const QString &text) override;

private:
    void setControlsEnabled(bool enabled);

    bool m_busy = false;
    bool m_stopRequested = false;
    EventPace m_eventPace;
    QLabel *m_message = nullptr;
    QLabel *m_count = nullptr;
    QList<QWidget *> m_controls;
};

} // namespace toolkit
