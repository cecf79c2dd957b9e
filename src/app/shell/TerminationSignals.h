#pragma once
// Closes the window the ordinary way (state saved to "Last.ini") when the session
// or a service manager ends the program with SIGTERM, SIGINT or SIGHUP.

class QWidget;

namespace bw::app {

// Call first thing in main(), before any thread exists: the signals are then delivered
// to a descriptor the event loop reads instead of ending the process on the spot.
// Returns false (and changes nothing) when the system refuses.
bool blockTerminationSignals();

// After blockTerminationSignals(): every such signal calls window.close().
void closeOnTerminationSignals(QWidget& window);

}  // namespace bw::app
