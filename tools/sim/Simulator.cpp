#include "Simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;

// Above this many bytes waiting for the reader a new ping is measured but not
// queued: nobody is reading the line, as with a real instrument talking to a
// closed port.
constexpr size_t kBacklogLimit = 64 * 1024;

uint64_t ResolveSeed(const SimOptions& o)
{
    if (o.seed)
        return *o.seed;
    return static_cast<uint64_t>(Clock::now().time_since_epoch().count()) ^ (static_cast<uint64_t>(getpid()) << 32);
}

// A seeded run starts its clock at a fixed time (2024-06-01 00:00:00 UTC)
// so that it repeats its bytes; otherwise the clock starts at the present.
double ResolveEpoch(const SimOptions& o)
{
    if (o.epoch)
        return *o.epoch;
    if (o.seed)
        return 1717200000.0;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9;
}

bool SetRaw(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

// Writes as much of `queue` as the line takes now; returns false when the
// line is gone.
bool Drain(int fd, std::string& queue, std::FILE* copy)
{
    while (!queue.empty()) {
        const ssize_t n = ::write(fd, queue.data(), std::min<size_t>(queue.size(), 16384));
        if (n > 0) {
            if (copy) {
                std::fwrite(queue.data(), 1, static_cast<size_t>(n), copy);
                std::fflush(copy);
            }
            queue.erase(0, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}

}  // namespace

bool PtyLine::Open(std::string& error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        Close();
        return false;
    }
    char name[128];
    if (ptsname_r(m_master, name, sizeof name) != 0) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        Close();
        return false;
    }
    m_path = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slave < 0 || !SetRaw(m_slave)) {
        error = "cannot set up " + m_path + ": " + std::strerror(errno);
        Close();
        return false;
    }
    return true;
}

int PtyLine::Unread() const
{
    int n = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &n) != 0)
        return 0;
    return n;
}

void PtyLine::Close()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

Simulator::Simulator(const SimOptions& options)
    : m_options(options),
      m_seed(ResolveSeed(options)),
      m_epoch(ResolveEpoch(options)),
      m_instrument(options, m_seed, m_epoch)
{
}

bool Simulator::Open(std::string& error)
{
    if (!m_device.Open(error))
        return false;
    if (m_options.gps && !m_gpsLine.Open(error))
        return false;
    auto openFile = [&](const std::string& path, FilePtr& file) {
        if (path.empty())
            return true;
        file.reset(std::fopen(path.c_str(), "wb"));
        if (!file)
            error = "cannot write " + path + ": " + std::strerror(errno);
        return static_cast<bool>(file);
    };
    return openFile(m_options.recordFile, m_record) && openFile(m_options.sentFile, m_sent);
}

void Simulator::Log(const std::string& text) const
{
    if (m_options.verbose)
        std::fprintf(stderr, "pelagrix-sim: %s\n", text.c_str());
}

int Simulator::Run(const std::atomic<bool>& stop)
{
    std::string out, gpsOut;
    const auto start = Clock::now();
    auto nextPing = start;
    auto nextGps = start;
    Clock::time_point hangupDeadline{};
    Clock::time_point drainedSince{};
    size_t executedSeen = 0;
    const bool gps = m_gpsLine.Master() >= 0;

    while (!stop.load()) {
        const auto now = Clock::now();

        if (m_instrument.HangupDue()) {
            if (hangupDeadline == Clock::time_point{})
                hangupDeadline = now + std::chrono::seconds(5);
            // Closing the master throws away what the reader has not taken
            // yet, so the last ping must be read before the line drops.
            // The count can lag behind bytes still on their way through the
            // terminal layer, so it must stay at zero for a moment.
            if (!out.empty() || m_device.Unread() > 0)
                drainedSince = Clock::time_point{};
            else if (drainedSince == Clock::time_point{})
                drainedSince = now;
            if ((drainedSince != Clock::time_point{} && now - drainedSince >= std::chrono::milliseconds(300)) ||
                now >= hangupDeadline) {
                Log("hanging up after " + std::to_string(m_instrument.PingsMade()) + " pings");
                break;
            }
        } else if (m_instrument.Pinging()) {
            if (m_options.flood) {
                if (out.size() < 16384)
                    out += m_instrument.NextPing();
            } else if (now >= nextPing) {
                out += m_instrument.NextPing(out.size() < kBacklogLimit);
                const auto step = std::chrono::duration_cast<Clock::duration>(
                    std::chrono::duration<double>(m_instrument.Interval()));
                nextPing = std::max(nextPing + step, now);
            }
        } else {
            nextPing = now;  // the first ping after "#go" goes out at once
        }
        if (gps && now >= nextGps) {
            if (gpsOut.size() < kBacklogLimit)
                gpsOut += m_instrument.NextGpsSecond();
            nextGps += std::chrono::seconds(1);
        }

        pollfd fds[2] = {{m_device.Master(), POLLIN, 0}, {m_gpsLine.Master(), POLLIN, 0}};
        if (!out.empty())
            fds[0].events |= POLLOUT;
        if (!gpsOut.empty())
            fds[1].events |= POLLOUT;
        // Sleep until the next ping or GPS second; while the pinging is
        // stopped or the line is being drained for a hang-up only received
        // commands and writable space wake us.
        auto wake = Clock::now() + std::chrono::milliseconds(100);
        if (m_instrument.HangupDue())
            wake = Clock::now() + std::chrono::milliseconds(20);
        else if (m_instrument.Pinging())
            wake = std::min(wake, nextPing);
        if (gps)
            wake = std::min(wake, nextGps);
        int timeoutMs = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(wake - Clock::now()).count());
        timeoutMs = std::clamp(timeoutMs, 0, 100);
        if (m_options.flood && m_instrument.Pinging() && out.size() < 16384)
            timeoutMs = 0;
        if (::poll(fds, gps ? 2 : 1, timeoutMs) < 0 && errno != EINTR)
            break;

        if (fds[0].revents & POLLIN) {
            char buf[4096];
            const ssize_t n = ::read(m_device.Master(), buf, sizeof buf);
            if (n > 0) {
                if (m_record) {
                    std::fwrite(buf, 1, static_cast<size_t>(n), m_record.get());
                    std::fflush(m_record.get());
                }
                out += m_instrument.Receive(std::string_view(buf, static_cast<size_t>(n)));
                const auto& executed = m_instrument.Executed();
                for (; executedSeen < executed.size(); ++executedSeen)
                    Log("command [" + executed[executedSeen] + "]");
            }
        }
        if (gps && (fds[1].revents & POLLIN)) {
            char buf[1024];
            while (::read(m_gpsLine.Master(), buf, sizeof buf) > 0) {
                // A GPS receiver takes no commands.
            }
        }
        if (!Drain(m_device.Master(), out, m_sent.get()))
            break;
        if (gps && !Drain(m_gpsLine.Master(), gpsOut, nullptr))
            break;
    }
    m_device.Close();
    m_gpsLine.Close();
    return 0;
}

}  // namespace sim
