#pragma once
#include <QApplication>

namespace verno {

// Catches a failure that escapes a handler and shows it in the general error
// report; the program goes on.
class VernoApplication : public QApplication {
public:
    VernoApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace verno
