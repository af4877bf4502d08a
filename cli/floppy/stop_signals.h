#pragma once
// Ctrl-C and SIGTERM during a long drive command: caught while it runs, so the command ends after the
// request under way with its files sound, instead of dying in the middle of one.
namespace cli {

class StopSignals {
  public:
    StopSignals();   // catches SIGINT and SIGTERM
    ~StopSignals();  // puts the earlier handlers back
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal that asked to stop, 0 while none did.
    static int caught();
};

}  // namespace cli
