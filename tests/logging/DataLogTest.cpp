// The data log on a started main window: creation at connect from the data
// folder list, name and header, the record layout with and without a GPS
// receiver, write failures, and the report line.

#include <QComboBox>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <regex>

#include "LogFiles.h"
#include "app/DataFolders.h"
#include "logging/LogName.h"
#include "logging/TimeStamp.h"
#include "support/MainWindowFixture.h"
#include "ui/ControlTable.h"

namespace {

// Each case starts disconnected with no log open, the console and the
// message record noted so only the case's own output is checked.
class DataLog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg.CloseLog();
        dlg.m_Connected = 0;
        dlg.m_GpsPort = 0;
        dlg.m_GpsLogLen = 0;
        dlg.m_GpsLogState = 0;
        dlg.DeviceParams.DeviceID = 0;
        dialogs.Clear();
        consoleStart = dlg.ConsoleText().size();
    }
    void TearDown() override
    {
        dlg.CloseLog();
        dlg.List(Id::DataFolder)->setCurrentIndex(0);
    }

    std::string NewConsole() const { return dlg.ConsoleText().substr(consoleStart); }

    void SelectFolderText(const std::string& text)
    {
        dlg.List(Id::DataFolder)->setEditText(QString::fromLatin1(text.c_str()));
    }

    // Opens a log in a fresh folder, as the connect sequence does.
    std::string OpenLogIn(const char* stem)
    {
        const std::string folder = MakeTempFolder(stem);
        SelectFolderText(folder);
        dlg.OpenLogAtConnect();
        return folder;
    }

    // Logs `lines` as the live processor does and returns what followed
    // the header in the file.
    std::string LogAndReadBody(const std::vector<std::string>& lines)
    {
        dlg.m_Connected = 1;
        for (const std::string& line : lines)
            dlg.WriteRawRecord(line.data(), static_cast<int32_t>(line.size()));
        const std::string path = dlg.m_LogPath;
        dlg.CloseLog();
        const std::string file = ReadWholeFile(path);
        return file.substr(HeaderLength(file));
    }

    void PutGpsSentences(const std::string& sentences)
    {
        std::memcpy(dlg.m_GpsLogBlock, sentences.data(), sentences.size());
        dlg.m_GpsLogLen = static_cast<int32_t>(sentences.size());
        dlg.m_GpsLogState = 1;
    }

    CVessaDlg& dlg = StartedMainWindow();
    ScriptedDialogs& dialogs = StartedDialogs();
    size_t consoleStart = 0;
};

const char* const kRule = "-------------------------------------------------------\r\n";

}  // namespace

TEST_F(DataLog, NoLogForTheNoDataEntryOrAShortFolderText)
{
    for (const std::string text : {"Do not write data!", "ab", "", "/tmp/x!/"}) {
        SCOPED_TRACE(text);
        SelectFolderText(text);
        dlg.OpenLogAtConnect();
        EXPECT_EQ(dlg.m_LogOpen, 0);
        EXPECT_EQ(dlg.m_LogActive, 0);
        EXPECT_EQ(dlg.m_LogFile, nullptr);
    }
    // The list's own last entry, chosen rather than typed.
    dlg.List(Id::DataFolder)->setCurrentIndex(dlg.List(Id::DataFolder)->count() - 1);
    dlg.OpenLogAtConnect();
    EXPECT_EQ(dlg.m_LogOpen, 0);
    EXPECT_EQ(NewConsole(), "");
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(DataLog, ConnectCreatesTheFolderAndANamedLogWithItsHeader)
{
    const std::string home = HomeFolderWithSlash();
    dlg.List(Id::DataFolder)->setCurrentIndex(0);  // <home>/DataEcho/
    const std::string folder = DataFolderListEntries(home)[0];
    ASSERT_EQ(dlg.ControlText(Id::DataFolder), folder);
    dlg.DeviceParams.DeviceID = 7;

    const mode_t oldMask = ::umask(0);
    dlg.OpenLogAtConnect();
    ::umask(oldMask);

    ASSERT_EQ(dlg.m_LogOpen, 1);
    EXPECT_EQ(dlg.m_LogActive, 1);
    EXPECT_EQ(dlg.m_DataFolder, folder);
    EXPECT_TRUE(std::regex_match(dlg.m_LogFileName,
                                 std::regex(R"(\d{8}_\d{6}_PelaGrix450kHz_ID_0007)")))
        << dlg.m_LogFileName;
    EXPECT_EQ(dlg.m_LogPath, folder + dlg.m_LogFileName + ".log");
    EXPECT_EQ(NewConsole(), ">> Open data log file: " + dlg.m_LogPath + "\r\n");

    struct stat st {};
    ASSERT_EQ(::stat(dlg.m_LogPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);

    // Everything is on disk before the close.
    const std::string file = ReadWholeFile(dlg.m_LogPath);
    EXPECT_TRUE(LinesMatch(file, {Exact(kRule),
                                  Exact(std::string("Pelagrix Control Program  [") + BuildDate() +
                                        " " + BuildTime() + "]\r\n"),
                                  Exact(kRule), Exact("\r\n"), Pattern(kLocalStampPattern),
                                  Pattern(kUtcStampPattern)}));

    const std::string path = dlg.m_LogPath;
    dlg.CloseLog();
    EXPECT_EQ(dlg.m_LogOpen, 0);
    EXPECT_EQ(dlg.m_LogActive, 0);
    EXPECT_EQ(dlg.m_LogFile, nullptr);
    EXPECT_EQ(ReadWholeFile(path), file);  // closing writes nothing
    EXPECT_EQ(NewConsole(), ">> Open data log file: " + path + "\r\n" +
                                ">> Close data logfile: " + path + "\r\n");
}

TEST_F(DataLog, NewFilesFollowTheUmask)
{
    const mode_t oldMask = ::umask(077);
    OpenLogIn("umask");
    ::umask(oldMask);
    ASSERT_EQ(dlg.m_LogOpen, 1);
    struct stat st {};
    ASSERT_EQ(::stat(dlg.m_LogPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(DataLog, TwoConnectsInOneSecondShareTheNameAndTheSecondTruncates)
{
    const std::string folder = MakeTempFolder("twice");
    SelectFolderText(folder);
    // Retried when the two opens straddle a second boundary.
    for (int attempt = 0; attempt < 5; ++attempt) {
        dlg.OpenLogAtConnect();
        const std::string first = dlg.m_LogPath;
        dlg.m_Connected = 1;
        const std::string line = "#Range,m 10\r\n";
        dlg.WriteRawRecord(line.data(), static_cast<int32_t>(line.size()));
        // The second connect closes the open log itself.
        dlg.OpenLogAtConnect();
        if (dlg.m_LogPath != first) {
            dlg.CloseLog();
            continue;
        }
        ASSERT_EQ(dlg.m_LogOpen, 1);
        dlg.CloseLog();
        const std::string file = ReadWholeFile(first);
        EXPECT_EQ(HeaderLength(file), file.size()) << "only the second header remains";
        return;
    }
    FAIL() << "no two opens within one second";
}

TEST_F(DataLog, DeviceIdZeroAtTheFirstConnect)
{
    OpenLogIn("first");
    ASSERT_EQ(dlg.m_LogOpen, 1);
    EXPECT_EQ(dlg.m_LogFileName.substr(dlg.m_LogFileName.size() - 8), "_ID_0000");
}

TEST_F(DataLog, AFolderThatCannotBeMadeShowsTheErrorAndLogsNothing)
{
    const std::string folder = MakeTempFolder("missing") + "no/such/";
    SelectFolderText(folder);
    dlg.OpenLogAtConnect();
    EXPECT_EQ(dlg.m_LogOpen, 0);
    EXPECT_EQ(dlg.m_LogActive, 0);
    EXPECT_EQ(dlg.m_LogFile, nullptr);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0], "Open data folder Error\n" + dlg.m_LogPath);
    EXPECT_EQ(dlg.m_LogPath.rfind(folder, 0), 0u);

    // Records are ignored, and a disconnect prints nothing.
    const size_t before = dlg.ConsoleText().size();
    dlg.m_Connected = 1;
    dlg.WriteRawRecord("#DeviceID 1\r\n", 13);
    dlg.CloseLog();
    EXPECT_EQ(dlg.ConsoleText().size(), before);
}

TEST_F(DataLog, AFileAnotherWriterHoldsIsNeitherOpenedNorTruncated)
{
    const std::string folder = MakeTempFolder("held");
    dlg.m_DataFolder = folder;
    dlg.MakeLogName();
    const int other = ::open(dlg.m_LogPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::write(other, "keep\n", 5), 5);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);

    EXPECT_EQ(dlg.OpenLog(), 0);
    EXPECT_EQ(dlg.m_LogOpen, 0);
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(ReadWholeFile(dlg.m_LogPath), "keep\n");
    ::close(other);
}

TEST_F(DataLog, OpenLogRefusesWhileALogIsOpen)
{
    OpenLogIn("again");
    ASSERT_EQ(dlg.m_LogOpen, 1);
    std::FILE* const file = dlg.m_LogFile;
    EXPECT_EQ(dlg.OpenLog(), -1);
    EXPECT_EQ(dlg.m_LogFile, file);
}

TEST_F(DataLog, EchosounderRecordsWithAGpsReceiver)
{
    OpenLogIn("gps");
    ASSERT_EQ(dlg.m_LogOpen, 1);
    dlg.m_GpsPort = 3;
    const std::string gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
    const std::string rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\n";
    PutGpsSentences(gga + rmc);

    const std::string body = LogAndReadBody({
        "  noise before\n", "#DeviceID 7\r\n", "#Range,m 10\r\n", "##DataStart\r\n", "12\r\n",
        "##DataEnd\r\n",
        // The second ping: no GPS sentences arrived meanwhile.
        "#DeviceID 7\r\n", "##DataStart\r\n", "##DataEnd\r\n"});
    EXPECT_TRUE(LinesMatch(body, {Exact("  noise before\n"), Exact(gga), Exact(rmc),
                                  Exact("\r\n"), Exact("\r\n"), Exact("#DeviceID 7\r\n"),
                                  Pattern(kLocalStampPattern), Pattern(kUtcStampPattern),
                                  Exact("#Range,m 10\r\n"), Exact("##DataStart\r\n"),
                                  Exact("12\r\n"), Exact("##DataEnd\r\n"),
                                  Exact("#DeviceID 7\r\n"), Pattern(kLocalStampPattern),
                                  Pattern(kUtcStampPattern), Exact("##DataStart\r\n"),
                                  Exact("##DataEnd\r\n")}));
    EXPECT_EQ(dlg.m_GpsLogLen, 0);
    EXPECT_EQ(dlg.m_GpsLogState, 0);
}

TEST_F(DataLog, DepthSentencesWithAGpsReceiverGetTheBlockButNoZda)
{
    OpenLogIn("gpsdpt");
    dlg.m_GpsPort = 4;
    PutGpsSentences("$GPGLL,4916.45,N,12311.12,W,225444,A*31\r\n");
    const std::string body =
        LogAndReadBody({"$SDDBT,32.8,f,10.0,M,5.4,F*3A\r\n", "$SDDPT,10.0,0.5*68\r\n"});
    EXPECT_TRUE(LinesMatch(body, {Exact("$SDDBT,32.8,f,10.0,M,5.4,F*3A\r\n"),
                                  Exact("$GPGLL,4916.45,N,12311.12,W,225444,A*31\r\n"),
                                  Exact("\r\n"), Exact("\r\n"), Exact("$SDDPT,10.0,0.5*68\r\n")}));
}

TEST_F(DataLog, WithoutAGpsReceiverZdaFollowsTheStampsAndEachDepthSentence)
{
    OpenLogIn("nogps");
    // Sentences that arrived before the GPS port went away are still placed.
    PutGpsSentences("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n");
    const std::string body = LogAndReadBody(
        {"#DeviceID 2\n", "##DataStart\n", "##DataEnd\n", "$SDDPT,10.0,0.5*68\r\n",
         "$SDDBT,32.8,f,10.0,M,5.4,F*3A\r\n", "$SDDPT,11.0,0.5*69\r\n"});
    EXPECT_TRUE(LinesMatch(
        body, {Exact("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n"), Exact("\r\n"),
               Exact("\r\n"), Exact("#DeviceID 2\n"), Pattern(kLocalStampPattern),
               Pattern(kUtcStampPattern), Pattern(kZdaStampPattern), Exact("##DataStart\n"),
               Exact("##DataEnd\n"), Exact("$SDDPT,10.0,0.5*68\r\n"), Pattern(kZdaStampPattern),
               Exact("$SDDBT,32.8,f,10.0,M,5.4,F*3A\r\n"), Exact("$SDDPT,11.0,0.5*69\r\n"),
               Pattern(kZdaStampPattern)}));
}

TEST_F(DataLog, SimpleAltimeterLinesPassUnchangedWithoutStamps)
{
    OpenLogIn("simple");
    PutGpsSentences("$GPGLL,4916.45,N,12311.12,W,225444,A*31\r\n");
    const std::string body = LogAndReadBody({"12.5\r\n", "-3\n", "150\r\n", "x"});
    EXPECT_EQ(body, "12.5\r\n-3\n150\r\nx");
    EXPECT_EQ(dlg.m_GpsLogState, 1) << "GPS sentences wait for a stamped line";
}

TEST_F(DataLog, StampsFollowTheStandardTimeBiasWithoutDaylightSaving)
{
    // Standard time one hour east, summer time all year round: the local
    // stamp keeps standard time while the file name uses the wall clock.
    const char* oldTz = std::getenv("TZ");
    const std::string savedTz = oldTz ? oldTz : "";
    ::setenv("TZ", "XST-1XDT,J1/0,J365/25", 1);
    ::tzset();
    OpenLogIn("tz");
    const std::string name = dlg.m_LogFileName;
    const std::string body = LogAndReadBody({"#DeviceID 9\r\n"});
    if (oldTz)
        ::setenv("TZ", savedTz.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();

    const std::vector<std::string> lines = SplitLines(body);
    ASSERT_EQ(lines.size(), 4u);
    std::smatch local, utc, zda;
    ASSERT_TRUE(std::regex_match(lines[1], local, std::regex(R"(#TimeLocal  (\d{8}) (\d\d):(\d\d):.*\r\n)")));
    ASSERT_TRUE(std::regex_match(lines[2], utc, std::regex(R"(#TimeUTC    (\d{8}) (\d\d):(\d\d):.*\r\n)")));
    ASSERT_TRUE(std::regex_match(lines[3], zda, std::regex(R"(\$GPZDA,(\d\d)(\d\d).*,(-?\d\d),(-?\d\d)\*..\r\n)")));
    EXPECT_EQ(zda[3].str() + "," + zda[4].str(), "01,00");
    EXPECT_EQ(zda[1].str(), utc[2].str());
    const int localHour = std::stoi(local[2].str());
    const int utcHour = std::stoi(utc[2].str());
    EXPECT_EQ((utcHour + 1) % 24, localHour);
    // The name's hour is two hours after UTC (standard time plus summer time),
    // unless the hour turned between the stamps and the name.
    const int nameHour = std::stoi(name.substr(9, 2));
    EXPECT_EQ((utcHour + 2) % 24, nameHour) << name << " " << lines[2];
}

TEST_F(DataLog, UtcStampIsTheCurrentTime)
{
    OpenLogIn("now");
    const time_t before = ::time(nullptr);
    const std::string body = LogAndReadBody({"#DeviceID 1\r\n"});
    const time_t after = ::time(nullptr);
    const std::vector<std::string> lines = SplitLines(body);
    ASSERT_GE(lines.size(), 3u);
    tm t{};
    ASSERT_NE(::strptime(lines[2].c_str(), "#TimeUTC    %Y%m%d %H:%M:%S", &t), nullptr) << lines[2];
    const time_t stamped = ::timegm(&t);
    EXPECT_GE(stamped, before);
    EXPECT_LE(stamped, after);
}

TEST_F(DataLog, AFullDeviceIsReportedOnceAndLoggingGoesOn)
{
    dlg.m_LogPath = "/dev/full";
    ASSERT_EQ(dlg.OpenLog(), 0);
    ASSERT_EQ(dlg.m_LogOpen, 1);
    dlg.m_LogActive = 1;
    dlg.m_Connected = 1;
    for (int i = 0; i < 3; ++i) {
        dlg.WriteRawRecord("#DeviceID 1\r\n", 13);
        dlg.WriteRawRecord("##DataStart\r\n", 13);
    }
    EXPECT_EQ(dlg.m_LogOpen, 1);
    EXPECT_EQ(dlg.m_LogActive, 1);
    dlg.CloseLog();
    EXPECT_EQ(dlg.m_LogFile, nullptr);
    const std::string error = ">> Data log write error: /dev/full: " +
                              std::string(std::strerror(ENOSPC)) + "\r\n";
    EXPECT_EQ(NewConsole(), ">> Open data log file: /dev/full\r\n" + error +
                                ">> Close data logfile: /dev/full\r\n");
    EXPECT_TRUE(dialogs.Messages().empty());

    // The next file is reported again.
    dlg.m_LogPath = "/dev/full";
    dlg.OpenLog();
    dlg.CloseLog();
    EXPECT_EQ(CountOf(NewConsole(), error), 2u);
}

TEST_F(DataLog, ReportLineIsWrittenByteForByte)
{
    const std::string path = MakeTempFolder("report") + "r.txt";
    dlg.m_ReportFile = std::fopen(path.c_str(), "wb");
    ASSERT_NE(dlg.m_ReportFile, nullptr);
    dlg.m_ReportPath = path;
    dlg.m_ReportOpen = 1;
    dlg.DeviceParams.Ping = 7;
    dlg.DeviceParams.TVG_Mode = 2;
    dlg.DeviceParams.TVG_Slope = 1.5f;
    dlg.DeviceParams.TVG_Gain = 20.0f;
    dlg.DeviceParams.Altitude_mm = 12000.0f;
    dlg.DeviceParams.EchoMaxAmplitude = 57;
    dlg.WriteReportLine();
    // On disk at once, before the close.
    EXPECT_EQ(ReadWholeFile(path),
              "Ping    7) TVG: 2[ 1.5] Gain:  20.0  Alt: 12000.0 MaxAmpl:   57 %\n");
    std::fclose(dlg.m_ReportFile);
    dlg.m_ReportFile = nullptr;
    dlg.m_ReportOpen = 0;
    dlg.DeviceParams = {};
}

TEST_F(DataLog, AReportWriteFailureIsReportedOnce)
{
    dlg.m_ReportFile = std::fopen("/dev/full", "wb");
    ASSERT_NE(dlg.m_ReportFile, nullptr);
    dlg.m_ReportPath = "/dev/full";
    dlg.m_ReportOpen = 1;
    for (int i = 0; i < 3; ++i)
        dlg.WriteReportLine();
    EXPECT_EQ(NewConsole(), ">> Report log write error: /dev/full: " +
                                std::string(std::strerror(ENOSPC)) + "\r\n");
    std::fclose(dlg.m_ReportFile);

    // The next report file is reported again, even when the system hands
    // out the same stream object for it.
    dlg.m_ReportFile = std::fopen("/dev/full", "wb");
    ASSERT_NE(dlg.m_ReportFile, nullptr);
    dlg.WriteReportLine();
    dlg.WriteReportLine();
    EXPECT_EQ(CountOf(NewConsole(), ">> Report log write error: /dev/full: "), 2u);
    std::fclose(dlg.m_ReportFile);
    dlg.m_ReportFile = nullptr;
    dlg.m_ReportOpen = 0;
}
