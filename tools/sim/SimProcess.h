#pragma once
// Runs pelagrix-sim as a child process, for tests: starts it, reads the
// device paths it prints, and stops it again (RAII).

#include <sys/types.h>

#include <string>
#include <vector>

namespace sim {

class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess() { Stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The simulator built beside the tests: $PELAGRIX_BUILD_DIR/pelagrix-sim.
    static std::string DefaultBinary();

    // Starts `binary` with `args` and waits for its READY line.
    bool Start(const std::vector<std::string>& args, std::string& error,
               const std::string& binary = DefaultBinary(), int timeoutMs = 5000);

    const std::string& Device() const { return m_device; }
    const std::string& Gps() const { return m_gps; }

    // Reads what the child printed since; true when it has exited, with its
    // exit status in `status` (-1 when it was killed by a signal).
    bool Exited(int& status);
    // Waits up to `timeoutMs` for the child to end by itself.
    bool WaitExit(int timeoutMs, int& status);
    // Everything the child printed on stdout so far.
    const std::string& Output();

    // SIGTERM, then SIGKILL after a grace time; reaps the child.
    void Stop();

private:
    void ReadOutput(int timeoutMs);

    pid_t m_pid = -1;
    int m_stdout = -1;
    int m_status = 0;
    bool m_reaped = false;
    std::string m_output;
    std::string m_device;
    std::string m_gps;
};

}  // namespace sim
