#pragma once
// The simulator program's engine: the instrument (and optional GPS) on
// pseudo-terminals, pinging at the instrument's interval.

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>

#include "Instrument.h"
#include "SimOptions.h"

namespace sim {

// One pseudo-terminal: the master we talk through, and a slave descriptor
// we keep open so the line survives the program closing and reopening it
// (and so our raw settings stay).
class PtyLine {
public:
    PtyLine() = default;
    ~PtyLine() { Close(); }
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    bool Open(std::string& error);
    void Close();
    int Master() const { return m_master; }
    // Bytes written to the line that its reader has not taken yet.
    int Unread() const;
    const std::string& Path() const { return m_path; }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

struct FileCloser {
    void operator()(std::FILE* f) const { if (f) std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class Simulator {
public:
    explicit Simulator(const SimOptions& options);

    // Opens the lines and the record files.
    bool Open(std::string& error);
    const std::string& DevicePath() const { return m_device.Path(); }
    const std::string& GpsPath() const { return m_gpsLine.Path(); }

    // Runs until `stop` is set or the hang-up fault ends the run; closes the
    // lines. Returns the exit status.
    int Run(const std::atomic<bool>& stop);

    uint64_t Seed() const { return m_seed; }

private:
    void Log(const std::string& text) const;

    SimOptions m_options;
    uint64_t m_seed;
    double m_epoch;
    Instrument m_instrument;
    PtyLine m_device;
    PtyLine m_gpsLine;
    FilePtr m_record;
    FilePtr m_sent;
};

}  // namespace sim
