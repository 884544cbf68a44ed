#pragma once

#include <QObject>

class QSocketNotifier;

namespace officehost
{

// SIGTERM as a Qt signal, delivered by the event loop, so that the program ends as it does
// at its own end (the add-ins disconnected). One object at a time.
class TerminationSignal : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignal(QObject *parent = nullptr);
    // SIGTERM ends the process again.
    ~TerminationSignal() override;

signals:
    void received();

private:
    QSocketNotifier *m_notifier = nullptr; // child of this object
};

} // namespace officehost
