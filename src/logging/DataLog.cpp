// The data log of a connection: created at connect in the chosen data
// folder, a header block, the instrument's lines with time stamps and the GPS
// sentences received meanwhile, closed at disconnect.

#include <sys/stat.h>

#include <cstring>
#include <string_view>

#include "app/CVessaDlg.h"
#include "logging/LogFileIo.h"
#include "logging/LogName.h"
#include "logging/RecordRules.h"
#include "logging/TimeStamp.h"
#include "ui/ControlTable.h"

void CVessaDlg::OpenLogAtConnect()
{
    if (m_LogOpen == 1) {
        SyncAndCloseLogFile(m_LogFile);
        m_LogFile = nullptr;
        m_LogActive = 0;
        m_LogOpen = 0;
    }
    if (m_LogActive != 0 || m_LogOpen != 0)
        return;

    // "Do not write data!" and anything too short to be a folder mean no log.
    const std::string folder = ControlText(Id::DataFolder);
    if (folder.size() <= 2 || folder.find('!') != std::string::npos)
        return;

    m_DataFolder = folder;
    ::mkdir(m_DataFolder.c_str(), 0777);  // one level; a failure shows at the open
    MakeLogName();
    repaint();
    OpenLog();
    m_LogActive = m_LogOpen;
}

void CVessaDlg::MakeLogName()
{
    m_LogFileName = FormatLogFileName(LocalCivilTimeNow(), DeviceParams.DeviceID);
    m_LogPath = m_DataFolder + m_LogFileName + ".log";
}

int CVessaDlg::OpenLog()
{
    if (m_LogOpen == 1)
        return -1;
    if (m_LogFile) {  // a stream left behind by a close that did not clear it
        SyncAndCloseLogFile(m_LogFile);
        m_LogFile = nullptr;
    }

    int error = 0;
    m_LogFile = CreateLogFile(m_LogPath, error);
    if (!m_LogFile) {
        ConsoleAppend(">> Can't create data log file: " + m_LogPath + ": " +
                      std::strerror(error) + "\r\n");
        Dialogs().Message("Pelagrix", "Open data folder Error\n" + m_LogPath);
        return 0;
    }
    ConsoleAppend(">> Open data log file: " + m_LogPath + "\r\n");
    m_LogOpen = 1;
    m_LogWriteFailed = 0;

    const WallClockReading now = ReadWallClock();
    const int32_t bias = StandardTimeBias();
    const std::string header =
        LogHeaderBlock(BuildDate(), BuildTime(), FormatTimeStampAt(TimeStampKind::Local, now, bias),
                       FormatTimeStampAt(TimeStampKind::Utc, now, bias));
    WriteLogBytes(header.data(), header.size());
    return 0;
}

void CVessaDlg::CloseLog()
{
    if (m_LogOpen == 0)
        return;
    m_LogActive = 0;
    ConsoleAppend(">> Close data logfile: " + m_LogPath + "\r\n");
    const int error = SyncAndCloseLogFile(m_LogFile);
    m_LogFile = nullptr;
    m_LogOpen = 0;
    if (error != 0 && m_LogWriteFailed == 0) {
        m_LogWriteFailed = 1;
        ConsoleAppend(">> Data log write error: " + m_LogPath + ": " + std::strerror(error) +
                      "\r\n");
    }
}

void CVessaDlg::WriteLogBytes(const char* data, size_t size)
{
    if (!m_LogFile || size == 0)
        return;
    const int error = WriteWholeRecord(m_LogFile, data, size);
    if (error != 0 && m_LogWriteFailed == 0) {
        m_LogWriteFailed = 1;
        ConsoleAppend(">> Data log write error: " + m_LogPath + ": " + std::strerror(error) +
                      "\r\n");
    }
}

void CVessaDlg::WriteRawRecord(const char* line, int32_t length)
{
    if (m_LogOpen == 0 || !m_LogFile || !line || length < 0)
        return;
    const std::string_view text(line, static_cast<size_t>(length));
    const bool pingStart = IsPingStartLine(text);
    const bool depthSentence = IsDepthSentence(text);

    // The whole record goes to the system in one write, so a program killed
    // at any moment loses at most the record being written.
    std::string record;
    record.reserve(text.size() + 160);

    if ((pingStart || depthSentence) && m_GpsLogState == 1) {
        m_GpsLogState = 2;
        const int32_t gpsLength = m_GpsLogLen < 0 ? 0
                                  : m_GpsLogLen > static_cast<int32_t>(sizeof m_GpsLogBlock)
                                      ? static_cast<int32_t>(sizeof m_GpsLogBlock)
                                      : m_GpsLogLen;
        record.append(m_GpsLogBlock, static_cast<size_t>(gpsLength));
        record += "\r\n\r\n";
        m_GpsLogLen = 0;
        m_GpsLogState = 0;
    }

    record.append(text);

    if (pingStart || (depthSentence && m_GpsPort == 0)) {
        // All stamps of one record come from one clock reading.
        const WallClockReading now = ReadWallClock();
        const int32_t bias = StandardTimeBias();
        if (depthSentence && m_GpsPort == 0)
            record += FormatTimeStampAt(TimeStampKind::Zda, now, bias);
        if (pingStart) {
            record += FormatTimeStampAt(TimeStampKind::Local, now, bias);
            record += FormatTimeStampAt(TimeStampKind::Utc, now, bias);
            if (m_GpsPort == 0)
                record += FormatTimeStampAt(TimeStampKind::Zda, now, bias);
        }
    }

    WriteLogBytes(record.data(), record.size());
}
