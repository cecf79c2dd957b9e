#include <QApplication>

#include <new>

#include "shell/MainWindow.h"
#include "shell/MessageBoxes.h"
#include "shell/TerminationSignals.h"

namespace {

// Every click and key is one action of the window thread: an allocation that
// fails during one is reported and the window stays open (jobs on worker
// threads report their own).
class Application : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            bw::app::showWarning(activeWindow(), QStringLiteral("Not enough memory for this action."));
            return false;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    const bool signalsBlocked = bw::app::blockTerminationSignals();
    Application application(argc, argv);
    MainWindow window;
    if (signalsBlocked) { bw::app::closeOnTerminationSignals(window); }
    window.show();
    return application.exec();
}
