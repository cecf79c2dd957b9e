#include <QApplication>

#include "TForm1.h"
#include "TerminationSignals.h"

int main(int argc, char** argv) {
    const bool signalsBlocked = bw::app::blockTerminationSignals();
    QApplication application(argc, argv);
    TForm1 window;
    if (signalsBlocked) { bw::app::closeOnTerminationSignals(window); }
    window.show();
    return application.exec();
}
