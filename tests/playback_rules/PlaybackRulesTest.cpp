// The playback's pure rules: report file name, open-file filter, line
// handoff bytes, demonstration pattern and the opening of the input file.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "playback/DemoPattern.h"
#include "playback/FileFilter.h"
#include "playback/InputFile.h"
#include "playback/LineBytes.h"
#include "playback/ReportPath.h"

namespace {

std::tm LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

}  // namespace

TEST(ReportPathFor, StampBeforeLastFourCharactersAndXAppended)
{
    struct Case {
        const char* input;
        std::tm time;
        const char* expected;
    };
    const Case cases[] = {
        {"D.LOG", LocalTime(2012, 3, 7, 9, 30, 5), "D_ReportLog_20120307_093005.LOGx"},
        {"/home/op/DataEcho/Pelagrix_0001.log", LocalTime(2024, 12, 31, 23, 59, 59),
         "/home/op/DataEcho/Pelagrix_0001_ReportLog_20241231_235959.logx"},
        // No four-character extension: the stamp still goes before the last four.
        {"/data/run1", LocalTime(2000, 1, 1, 0, 0, 0), "/data/_ReportLog_20000101_000000run1x"},
        {"ABCD", LocalTime(2019, 10, 2, 13, 4, 0), "_ReportLog_20191002_130400ABCDx"},
        // Shorter than four characters: the stamp goes in front.
        {"ab", LocalTime(2019, 10, 2, 13, 4, 0), "_ReportLog_20191002_130400abx"},
        {"", LocalTime(2019, 10, 2, 13, 4, 0), "_ReportLog_20191002_130400x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportPathFor(c.input, c.time), c.expected) << c.input;
}

TEST(QtFileFilter, ClassicFilterBecomesQtFormWithLowerCaseExtensions)
{
    struct Case {
        const char* classic;
        const char* expected;
    };
    const Case cases[] = {
        {kDataLogFilter, "CORVALA LOG Data (*.LOG *.log);;All (*)"},
        {"Text (*.txt)|*.txt;|", "Text (*.txt)"},
        {"Logs|*.LOG;*.DAT|", "Logs (*.LOG *.log *.DAT *.dat)"},
        {"Mixed (*.Log)|*.Log|Any|*.*", "Mixed (*.Log *.log);;Any (*)"},
        {"Empty patterns|;|", "Empty patterns (*)"},
        {"", ""},
        {"||", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtFileFilter(c.classic), c.expected) << c.classic;
}

namespace {

// Feeds `bytes` through the handoff as the playback loop does, into a buffer
// of `capacity` bytes followed by guard bytes that must stay untouched.
struct FedLines {
    std::vector<std::string> lines;  // each as it stood in the buffer, LF included
    std::vector<bool> nulAfter;
    int32_t finalLength = 0;
    bool guardIntact = true;
};

FedLines Feed(const std::string& bytes, int32_t capacity)
{
    constexpr int kGuard = 16;
    std::vector<char> storage(static_cast<size_t>(capacity) + kGuard, '\x55');
    char* buf = storage.data();
    FedLines out;
    int32_t len = 0;
    for (char ch : bytes) {
        StoreLineByte(buf, capacity, len, ch);
        if (FinishLineByte(buf, capacity, len, ch)) {
            out.lines.emplace_back(buf, static_cast<size_t>(len));
            out.nulAfter.push_back(len < capacity && buf[len] == '\0');
            len = 0;
        }
    }
    out.finalLength = len;
    for (int i = 0; i < kGuard; ++i)
        out.guardIntact = out.guardIntact && storage[static_cast<size_t>(capacity) + i] == '\x55';
    return out;
}

}  // namespace

TEST(LineBytes, LinesReachTheBufferWithTerminatorAndAreCutAtTheLimit)
{
    const std::string x999(999, 'x');
    const std::string x1000(1000, 'x');
    struct Case {
        std::string name;
        std::string bytes;
        std::vector<std::string> lines;
        int32_t finalLength;
    };
    const Case cases[] = {
        {"two lines, CR LF kept", "#Range,m 10\r\n##DataStart\n", {"#Range,m 10\r\n", "##DataStart\n"}, 0},
        {"last line without LF stays behind", "12\n34", {"12\n"}, 2},
        {"empty line", "\n", {"\n"}, 0},
        {"NUL bytes travel inside a line", std::string("a\0b\n", 4), {std::string("a\0b\n", 4)}, 0},
        {"999 bytes and LF fill the buffer exactly", x999 + "\n", {x999 + "\n"}, 0},
        {"1000 bytes without LF restart the line", x1000 + "yz\n", {"yz\n"}, 0},
        {"2500 bytes: only the last piece arrives", std::string(2500, 'q') + "\n",
         {std::string(500, 'q') + "\n"}, 0},
        {"over-long tail without LF", std::string(1500, 'r'), {}, 500},
    };
    for (const Case& c : cases) {
        const FedLines fed = Feed(c.bytes, 1000);
        EXPECT_EQ(fed.lines, c.lines) << c.name;
        EXPECT_EQ(fed.finalLength, c.finalLength) << c.name;
        EXPECT_TRUE(fed.guardIntact) << c.name;
        for (size_t i = 0; i < fed.lines.size(); ++i)
            EXPECT_EQ(fed.nulAfter[i], fed.lines[i].size() < 1000) << c.name;
    }
}

TEST(LineBytes, LengthOutsideTheBufferRestartsInsteadOfOverrunning)
{
    char buf[8 + 4];
    std::memset(buf, '#', sizeof buf);
    for (int32_t bad : {8, 9, 5000, -1}) {
        int32_t len = bad;
        StoreLineByte(buf, 8, len, 'a');
        EXPECT_EQ(len, 1) << bad;
        EXPECT_EQ(buf[0], 'a');
    }
    EXPECT_EQ(std::string(buf + 8, 4), "####");
}

namespace {
using Row = int32_t[15000];
}

TEST(DemoPattern, SineBandsReferenceRowsAndUntouchedTail)
{
    constexpr int kRows = 1200;
    auto rows = std::make_unique<Row[]>(kRows);
    for (int i = 0; i < kRows; ++i)
        for (int j = 995; j < 1005; ++j)
            rows[i][j] = -7;

    FillDemonstrationPattern(rows.get(), kRows);

    for (int j : {0, 500, 999}) {
        EXPECT_EQ(rows[0][j], 255);
        EXPECT_EQ(rows[1][j], 128);
        EXPECT_EQ(rows[2][j], 0);
    }
    struct Cell {
        int row, slot;
    };
    for (Cell c : {Cell{3, 0}, Cell{3, 999}, Cell{300, 17}, Cell{1199, 640}, Cell{471, 500}}) {
        const int expected =
            static_cast<int>(std::sin(c.slot * 0.0031415 + c.row / 300.0) * 127 + 128);
        EXPECT_EQ(rows[c.row][c.slot], expected) << c.row << "," << c.slot;
    }
    // The band's extremes: 1..255 over the first 1000 slots.
    for (int i = 3; i < kRows; i += 37)
        for (int j = 0; j < 1000; j += 13) {
            EXPECT_GE(rows[i][j], 1);
            EXPECT_LE(rows[i][j], 255);
        }
    EXPECT_EQ(rows[10][1000], -7);
    EXPECT_EQ(rows[1199][1004], -7);
}

TEST(DemoPattern, MarkerMovesWithTheCounterAndStaysInsideTheRow)
{
    auto row = std::make_unique<int32_t[]>(15000 + 8);
    struct Case {
        int32_t lastPing;
        int firstSlot;      // first slot written
        int written;        // how many of the five values fit
    };
    const Case cases[] = {{0, 220, 5}, {1, 221, 5}, {14775, 14995, 5}, {14777, 14997, 3},
                          {14780, 15000, 0}, {-222, 0, 3}};
    const int32_t values[5] = {128, 129, 130, 250, 251};
    for (const Case& c : cases) {
        std::fill(row.get(), row.get() + 15008, -1);
        WriteDemonstrationMarker(row.get(), c.lastPing);
        int changed = 0;
        for (int s = 0; s < 15008; ++s)
            changed += row[s] != -1;
        EXPECT_EQ(changed, c.written) << c.lastPing;
        const int firstValue = static_cast<int>(std::max<int64_t>(0, -(int64_t{c.lastPing} + 220)));
        for (int k = 0; k < c.written; ++k)
            EXPECT_EQ(row[c.firstSlot + k], values[firstValue + k]) << c.lastPing;
    }
}

class PlaybackInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/pelagrix-playback-input.XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string dir;
};

TEST_F(PlaybackInputTest, OnlyRegularFilesOpen)
{
    const std::string regular = dir + "/a.LOG";
    std::ofstream(regular) << "12345\n";
    const std::string empty = dir + "/empty.LOG";
    std::ofstream(empty).flush();
    const std::string fifo = dir + "/pipe.LOG";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    struct Case {
        std::string path;
        bool opens;
        int64_t length;
    };
    const Case cases[] = {
        {regular, true, 6},
        {empty, true, 0},
        {dir, false, 0},                   // a folder
        {fifo, false, 0},                  // a pipe without writer: refused, not waited on
        {dir + "/missing.LOG", false, 0},
        {"", false, 0},
    };
    for (const Case& c : cases) {
        PlaybackInput in = OpenPlaybackInput(c.path);
        EXPECT_EQ(in.file != nullptr, c.opens) << c.path;
        if (in.file) {
            EXPECT_EQ(in.length, c.length) << c.path;
            char buf[16];
            EXPECT_EQ(std::fread(buf, 1, sizeof buf, in.file), static_cast<size_t>(c.length));
            std::fclose(in.file);
        }
    }
}
