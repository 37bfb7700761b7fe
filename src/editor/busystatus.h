#pragma once
#include <QString>

namespace verno {

class FrameServices;

// The busy pointer and a message-panel text for the length of an operation;
// both go back on every way out, failures included.
class BusyStatus {
public:
    BusyStatus(FrameServices &frame, const QString &text);
    ~BusyStatus();
    // Ends it early, e.g. before a failure is reported.
    void end();

    BusyStatus(const BusyStatus &) = delete;
    BusyStatus &operator=(const BusyStatus &) = delete;

private:
    FrameServices &frame_;
    bool active_ = true;
};

} // namespace verno
