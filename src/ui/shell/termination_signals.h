#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a desktop logout, a kill from a task
// manager, Ctrl+C in a terminal) into the Requested signal on the event loop,
// so that the program closes its window normally and the solver's entries
// reach the puzzle file instead of being lost.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // Starts catching the signals, before any object of this class exists:
    // main calls it first, so that a signal during the start-up (connecting
    // to the display takes a while) ends the program as one later does.
    static bool Catch();
    // Whether one of the signals arrived since Catch.
    static bool WasRaised();

signals:
    void Requested();

private:
    static void OnSignal(int number);
    void Drain();

    QSocketNotifier* notifier_ = nullptr;
};
