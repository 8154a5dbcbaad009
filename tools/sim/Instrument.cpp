#include "Instrument.h"

#include "PingFormatter.h"

namespace sim {

Instrument::Instrument(const SimOptions& o, uint64_t seed, double epoch)
    : m_scene(seed),
      m_gps(seed),
      m_faults(MixSeed(seed, 0xFA17)),
      m_epoch(epoch),
      m_garbageEvery(o.garbageEvery),
      m_overlongEvery(o.overlongEvery),
      m_truncateEvery(o.truncateEvery),
      m_hangupAfter(o.hangupAfter)
{
    m_params.deviceId = o.deviceId;
    m_params.interval_s = o.interval_s;
    m_params.outputMode = o.outputMode;
    m_params.range_mm = o.range_mm;
}

std::string Instrument::Receive(std::string_view bytes) { return m_commands.Feed(bytes); }

std::string Instrument::NextPing(bool deliver)
{
    const uint64_t k = ++m_pings;
    const PingFrame frame = BuildFrame(m_scene, m_params, k, m_elapsed, m_epoch);
    m_elapsed += m_params.interval_s;
    if (!deliver)
        return {};

    std::string out;
    if (Every(m_garbageEvery, k))
        out += GarbageBurst(m_faults);
    if (Every(m_overlongEvery, k))
        out += OverlongLine(m_faults, m_faults.Between(1200, 4000));
    if (Every(m_truncateEvery, k)) {
        if (IsEchosounderMode(m_params.outputMode)) {
            out += FormatEchosounderPing(frame, static_cast<int>(frame.samples.size() / 2));
        } else {
            // An altimeter line cut in the middle, without its terminator.
            const std::string line = FormatPing(frame);
            out += line.substr(0, line.find('\r') / 2);
        }
    } else {
        out += FormatPing(frame);
    }
    return out;
}

std::string Instrument::NextGpsSecond()
{
    return m_gps.NextSecond(m_epoch + static_cast<double>(m_gpsSeconds++));
}

}  // namespace sim
