#pragma once
// SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, a shutdown) reach
// the event loop as a call instead of ending the program at once: the signal
// handler only writes a byte to a pipe that a socket notifier reads.
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace verno {

class QuitSignals : public QObject {
public:
    // One at a time; the handlers are the system's again when it goes.
    explicit QuitSignals(std::function<void(int signal)> received, QObject *parent = nullptr);
    ~QuitSignals() override;

private:
    void readPipe();

    std::function<void(int)> received_;
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace verno
