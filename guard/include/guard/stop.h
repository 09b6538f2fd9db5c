#pragma once

#include <poll.h>

#include <string>

// How a compile or build learns that it is to end before its time: a stop signal (SIGINT, SIGTERM,
// SIGHUP) or a caller that has gone. Either way the run ends its tools, removes what it generated and
// ends; after a signal by that same signal, so that its own caller learns how it ended.
namespace guard {

// Installs handlers for the three stop signals. A handler only notes the signal and makes stopFd()
// readable; the run reacts where it polls or checks stopRequested().
void catchStopSignals();

// The first stop signal that came, or 0.
int stopSignal();
// Readable once a stop signal has come (and from then on); -1 before catchStopSignals().
int stopFd();

// A poll entry for standard output that reports POLLERR or POLLHUP once the reader of the pipe or socket
// it is has gone: the caller of the run. Its fd is -1 (poll skips it) when standard output is no pipe or
// socket.
pollfd callerWatch();
// Checks the caller now; notes and returns true when it has gone.
bool checkCaller();
void noteCallerGone();
bool callerGone();

// A stop signal came or the caller has gone.
bool stopRequested();

// "15 (Terminated)".
std::string describeSignal(int signal);

// Ends the process by `signal` with its default action (standard output flushed first).
[[noreturn]] void endBySignal(int signal);

}  // namespace guard
