// pelagrix-sim as a program: its lines, its options, seeded repeatability,
// commands taken from the line and recorded, the GPS line and the hang-up.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Nmea.h"
#include "SimProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

// The program side of a simulated line, opened as the control program would.
class Line {
public:
    explicit Line(const std::string& path) : m_fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios tio{};
        if (m_fd >= 0 && tcgetattr(m_fd, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~Line()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool Ok() const { return m_fd >= 0; }

    // Reads until `done` holds for the text so far, the line hangs up, or
    // the time runs out. Returns whether the line hung up.
    template <typename Done>
    bool ReadUntil(std::string& text, Done done, int timeoutMs = 10000)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done(text) && Clock::now() < end) {
            pollfd p{m_fd, POLLIN, 0};
            ::poll(&p, 1, 50);
            char buf[8192];
            const ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n > 0)
                text.append(buf, static_cast<size_t>(n));
            else if (n == 0 || (n < 0 && errno == EIO))
                return true;
        }
        return false;
    }
    void Write(const std::string& bytes) { ASSERT_EQ(::write(m_fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }

private:
    int m_fd;
};

size_t Count(const std::string& hay, const std::string& needle)
{
    size_t n = 0;
    for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + needle.size()))
        ++n;
    return n;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Everything a seeded simulator sends before it hangs up after 4 pings.
std::string SeededRun(const std::string& seed)
{
    sim::SimProcess p;
    std::string error;
    EXPECT_TRUE(p.Start({"--seed", seed, "--interval", "0.02", "--range", "5", "--hangup", "4", "--garbage", "2"}, error))
        << error;
    Line line(p.Device());
    EXPECT_TRUE(line.Ok());
    std::string text;
    EXPECT_TRUE(line.ReadUntil(text, [](const std::string&) { return false; }));
    int status = 1;
    EXPECT_TRUE(p.WaitExit(5000, status));
    EXPECT_EQ(status, 0);
    return text;
}

}  // namespace

TEST(SimProgram, PrintsItsLinesAndRejectsBadOptions)
{
    sim::SimProcess p;
    std::string error;
    ASSERT_TRUE(p.Start({"--gps"}, error)) << error;
    EXPECT_EQ(p.Device().rfind("/dev/pts/", 0), 0u) << p.Output();
    EXPECT_EQ(p.Gps().rfind("/dev/pts/", 0), 0u) << p.Output();
    EXPECT_NE(p.Device(), p.Gps());
    p.Stop();

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--mode", "7"}, {"--interval", "0"}, {"--seed", "-1"}, {"--hangup"}, {"--colour", "red"}}) {
        sim::SimProcess q;
        EXPECT_FALSE(q.Start(bad, error)) << bad[0];
        EXPECT_NE(error.find("status 2"), std::string::npos) << error;
    }
}

TEST(SimProgram, SameSeedSameBytes)
{
    const std::string a = SeededRun("7");
    const std::string b = SeededRun("7");
    const std::string c = SeededRun("8");
    EXPECT_EQ(Count(a, "##DataEnd\r\n"), 4u);
    EXPECT_GT(a.size(), 4 * 666 * 3u);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(SimProgram, TakesCommandsAppliesThemAndRecordsWhatItReceived)
{
    char dir[] = "/tmp/pelagrix-sim-test.XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    const std::string record = std::string(dir) + "/received.bin";
    sim::SimProcess p;
    std::string error;
    ASSERT_TRUE(p.Start({"--interval", "0.05", "--range", "5", "--record", record}, error)) << error;
    Line line(p.Device());
    ASSERT_TRUE(line.Ok());
    std::string text;
    line.ReadUntil(text, [](const std::string& t) { return t.find("##DataEnd") != std::string::npos; });

    const std::string commands = "#\r#\r\r#range 3000\r#gain 6.0\r#output 4\r#info\r  \r#go\r";
    line.Write(commands);
    text.clear();
    line.ReadUntil(text, [](const std::string& t) {
        const size_t at = t.find("#Range,m 3.000");
        return at != std::string::npos && t.find("##DataEnd", at) != std::string::npos;
    });
    const size_t header = text.find("#Range,m 3.000\r\n");
    ASSERT_NE(header, std::string::npos) << text.substr(0, 2000);
    EXPECT_NE(text.find("#TVG_Gain 6.0\r\n", header), std::string::npos);
    EXPECT_NE(text.find("#NSamples 200\r\n", header), std::string::npos);
    for (const char* reply : {"#OK range 3000\r\n", "#OK gain 6.0\r\n", "#OK output 4\r\n", "#OK go\r\n",
                              " - range     [3000] mm\r\n"})
        EXPECT_NE(text.find(reply), std::string::npos) << reply;
    p.Stop();
    EXPECT_EQ(ReadFile(record), commands);
    std::remove(record.c_str());
    ::rmdir(dir);
}

TEST(SimProgram, AttentionStopsThePings)
{
    sim::SimProcess p;
    std::string error;
    ASSERT_TRUE(p.Start({"--interval", "0.02", "--range", "2"}, error)) << error;
    Line line(p.Device());
    std::string text;
    line.ReadUntil(text, [](const std::string& t) { return t.find("##DataEnd") != std::string::npos; });
    line.Write("#\r#\r\r");
    // Let a ping already on its way arrive, then expect silence.
    text.clear();
    line.ReadUntil(text, [](const std::string&) { return false; }, 300);
    text.clear();
    line.ReadUntil(text, [](const std::string&) { return false; }, 500);
    EXPECT_EQ(Count(text, "#DeviceID"), 0u);
    line.Write("  \r#go\r");
    line.ReadUntil(text, [](const std::string& t) { return t.find("##DataEnd") != std::string::npos; }, 3000);
    EXPECT_EQ(Count(text, "##DataEnd"), 1u);
}

TEST(SimProgram, GpsLineSendsValidSentencesEverySecond)
{
    sim::SimProcess p;
    std::string error;
    ASSERT_TRUE(p.Start({"--gps", "--seed", "3"}, error)) << error;
    Line gps(p.Gps());
    ASSERT_TRUE(gps.Ok());
    std::string text;
    gps.ReadUntil(text, [](const std::string& t) { return Count(t, "$GPRMC") >= 3; }, 6000);
    EXPECT_GE(Count(text, "$GPGGA"), 3u);
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        EXPECT_TRUE(sim::NmeaChecksumValid(l)) << l;
    EXPECT_NE(text.find("$GPGGA,000001.00,"), std::string::npos);
}

TEST(SimProgram, HangsUpAfterTheLastPingHasBeenRead)
{
    sim::SimProcess p;
    std::string error;
    ASSERT_TRUE(p.Start({"--interval", "0.01", "--range", "10", "--hangup", "6", "--truncate", "3"}, error)) << error;
    Line line(p.Device());
    std::string text;
    EXPECT_TRUE(line.ReadUntil(text, [](const std::string&) { return false; }));
    EXPECT_EQ(Count(text, "#DeviceID"), 6u);
    EXPECT_EQ(Count(text, "##DataEnd"), 4u);  // pings 3 and 6 cut short
    int status = 1;
    EXPECT_TRUE(p.WaitExit(5000, status));
    EXPECT_EQ(status, 0);
    EXPECT_NE(p.Output().find("HANGUP"), std::string::npos);
}

TEST(SimProgram, FloodKeepsTheLineFull)
{
    sim::SimProcess p;
    std::string error;
    ASSERT_TRUE(p.Start({"--flood", "--interval", "10", "--range", "2"}, error)) << error;
    Line line(p.Device());
    std::string text;
    line.ReadUntil(text, [](const std::string& t) { return Count(t, "##DataEnd") >= 50; }, 5000);
    // At a 10 s interval only flooding delivers 50 pings in 5 s.
    EXPECT_GE(Count(text, "##DataEnd"), 50u);
}
