// Line assembly alone: bytes from a scripted source, lines seen by a
// recording processor that consumes them like ProcessLine does.

#include <gtest/gtest.h>

#include <deque>
#include <limits>
#include <string>
#include <vector>

#include "intake/LineAssembly.h"

namespace {

struct ScriptSource {
    std::deque<unsigned char> bytes;
    int32_t Waiting() const { return static_cast<int32_t>(bytes.size()); }
    bool Take(unsigned char& byte)
    {
        if (bytes.empty())
            return false;
        byte = bytes.front();
        bytes.pop_front();
        return true;
    }
    void Add(const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }
};

struct Assembler {
    char buf[kLineLimit] = {};
    int32_t len = 0, ready = 0, bytesIn = 0;
    std::vector<std::string> lines;
    std::vector<bool> terminated;  // a NUL followed the line

    // One notification: assemble from `source`; `duringLine` runs inside the
    // processor (it may move the source on, as a backlog trim does).
    template <class During>
    void Run(ScriptSource& source, During duringLine)
    {
        AssembleLines(source, LineAssemblyState{buf, len, ready, bytesIn}, [&] {
            ASSERT_EQ(ready, 1);
            lines.emplace_back(buf, static_cast<size_t>(len));
            terminated.push_back(len < kLineLimit && buf[len] == '\0');
            ready = 0;
            buf[0] = '\0';
            duringLine();
        });
    }
    void Run(ScriptSource& source)
    {
        Run(source, [] {});
    }
};

TEST(LineAssembly, OneLineThenTheShortRestWaitsForTheNextNotification)
{
    ScriptSource source;
    source.Add("ab\r\ncd");
    Assembler a;
    a.Run(source);
    ASSERT_EQ(a.lines, std::vector<std::string>{"ab\r\n"});
    EXPECT_TRUE(a.terminated[0]);
    EXPECT_EQ(a.len, 0);
    EXPECT_EQ(a.bytesIn, 4);
    EXPECT_EQ(source.Waiting(), 2);

    source.Add("e\n");
    a.Run(source);
    EXPECT_EQ(a.lines.back(), "cde\n");
    EXPECT_EQ(source.Waiting(), 0);
}

TEST(LineAssembly, TheResumeThresholdDecidesWhetherTheDrainGoesOn)
{
    struct Case {
        size_t restAfterFirst;  // bytes waiting after the first LF
        size_t linesNow;
    } cases[] = {{59, 1}, {60, 2}, {61, 2}};
    for (const Case& c : cases) {
        ScriptSource source;
        const std::string second = std::string(c.restAfterFirst - 1, 'x') + "\n";
        source.Add("first\n" + second);
        Assembler a;
        a.Run(source);
        EXPECT_EQ(a.lines.size(), c.linesNow) << c.restAfterFirst << " bytes left";
    }
}

TEST(LineAssembly, LongRunsWithoutLineFeed)
{
    struct Case {
        std::string input;
        std::vector<std::string> lines;
        int32_t lenAfter;
    } cases[] = {
        // 1500 bytes: the first 1000 dropped, 500 begin a new line.
        {std::string(1500, 'a'), {}, 500},
        // Exactly 1000 bytes with the LF: handed over whole, no room for a NUL.
        {std::string(999, 'b') + "\n", {std::string(999, 'b') + "\n"}, 0},
        // 1001 bytes with the LF last: the LF alone is the line.
        {std::string(1000, 'c') + "\n", {"\n"}, 0},
        // Bytes of any value are kept; CR alone ends nothing.
        {std::string("x\0\r\xffy\n", 6), {std::string("x\0\r\xffy\n", 6)}, 0},
    };
    for (const Case& c : cases) {
        ScriptSource source;
        source.Add(c.input);
        Assembler a;
        a.Run(source);
        EXPECT_EQ(a.lines, c.lines) << c.input.size() << " bytes";
        EXPECT_EQ(a.len, c.lenAfter) << c.input.size() << " bytes";
        EXPECT_EQ(a.bytesIn, static_cast<int32_t>(c.input.size()));
    }
    ScriptSource source;
    source.Add(std::string(999, 'b') + "\n");
    Assembler a;
    a.Run(source);
    EXPECT_FALSE(a.terminated.at(0)) << "a 1000-byte line has no NUL after it";
}

TEST(LineAssembly, TheByteCounterStopsAtItsLargestValue)
{
    // A long session passes 2 GiB: the count must not turn negative.
    ScriptSource source;
    source.Add("abc\n");
    Assembler a;
    a.bytesIn = std::numeric_limits<int32_t>::max() - 1;
    a.Run(source);
    EXPECT_EQ(a.lines, std::vector<std::string>{"abc\n"});
    EXPECT_EQ(a.bytesIn, std::numeric_limits<int32_t>::max());
}

TEST(LineAssembly, NothingIsTakenWhileTheLastLineWaits)
{
    ScriptSource source;
    source.Add("abc\n");
    Assembler a;
    a.ready = 1;
    a.Run(source);
    EXPECT_TRUE(a.lines.empty());
    EXPECT_EQ(source.Waiting(), 4);
    EXPECT_EQ(a.bytesIn, 0);
}

TEST(LineAssembly, ASourceEmptiedDuringALineStopsTheDrainWithoutPhantomBytes)
{
    // 200 bytes waiting: three 60-byte lines would follow, but the processor
    // of the first line moves the read index past all of them.
    ScriptSource source;
    source.Add("first\n");
    for (int i = 0; i < 3; ++i)
        source.Add(std::string(59, 'z') + "\n");
    Assembler a;
    a.Run(source, [&] { source.bytes.clear(); });
    ASSERT_EQ(a.lines, std::vector<std::string>{"first\n"});
    EXPECT_EQ(a.len, 0) << "no zero bytes were stored into the next line";
    EXPECT_EQ(a.bytesIn, 6);

    // The next bytes start a clean line.
    source.Add("next\n");
    a.Run(source);
    EXPECT_EQ(a.lines.back(), "next\n");
}

TEST(LineAssembly, TheCountIsFixedAtTheStart)
{
    // Bytes that arrive while a line is processed wait for the next call.
    ScriptSource source;
    source.Add("one\n" + std::string(70, 'p') + "\n");
    Assembler a;
    a.Run(source, [&] { source.Add("late\n"); });
    ASSERT_EQ(a.lines.size(), 2u);
    EXPECT_EQ(source.Waiting(), 5 + 5);  // "late\n" twice, added during each line
}

}  // namespace
