#include "floppy/stop_signals.h"

#include <csignal>

namespace cli {
namespace {

volatile std::sig_atomic_t stopSignal = 0;
struct sigaction earlierInt {}, earlierTerm {};

extern "C" void noteStop(int signal) {
    stopSignal = signal;
}

}  // namespace

StopSignals::StopSignals() {
    stopSignal = 0;
    struct sigaction action {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    // Calls the signal interrupts start again where the system can; the drive layer repeats the rest.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &earlierInt);
    sigaction(SIGTERM, &action, &earlierTerm);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &earlierInt, nullptr);
    sigaction(SIGTERM, &earlierTerm, nullptr);
}

int StopSignals::caught() {
    return stopSignal;
}

}  // namespace cli
