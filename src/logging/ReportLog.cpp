// The report log of a playback: one line per ping, written at its
// "##DataStart" line.

#include <cerrno>
#include <cstring>

#include "app/CVessaDlg.h"
#include "logging/ReportLine.h"

void CVessaDlg::WriteReportLine()
{
    if (!m_ReportFile)
        return;
    const std::string line = FormatReportLine({DeviceParams.Ping, DeviceParams.TVG_Mode,
                                               DeviceParams.TVG_Slope, DeviceParams.TVG_Gain,
                                               DeviceParams.Altitude_mm,
                                               DeviceParams.EchoMaxAmplitude});
    // Flushed per line, so a failure shows at the line that met it. The
    // stream's error flag stays set after the first failure and marks it as
    // reported, once per file; a new file starts with the flag clear.
    const bool reported = std::ferror(m_ReportFile) != 0;
    errno = 0;
    const bool written = std::fwrite(line.data(), 1, line.size(), m_ReportFile) == line.size() &&
                         std::fflush(m_ReportFile) == 0;
    if (written || reported)
        return;
    const int error = errno != 0 ? errno : EIO;
    ConsoleAppend(">> Report log write error: " + m_ReportPath + ": " + std::strerror(error) +
                  "\r\n");
}
