#include <gtest/gtest.h>

#include "platform/DialogUnits.h"
#include "ui/ConsoleText.h"
#include "ui/KeywordSwitches.h"

TEST(SpeedFieldDebugFlag, KeywordsAndOrdinaryTyping)
{
    struct Case {
        const char* text;
        int32_t before;
        int32_t expected;
    };
    const Case cases[] = {
        {"9600", 0, 1},              // ordinary typing enables
        {"", 0, 1},                  // an emptied field enables too
        {"qlomtx 0", 1, 0},          // the keyword disables
        {"qlomtx 0x", 1, 0},         // a further character keeps it disabled
        {"qlomt", 2, 2},             // the prefix alone leaves the flag as it was
        {"qlomtx 2", 0, 2},
        {"qlomtx 3 qlomtx 1", 0, 3}, // the later test in order wins
        {"a qlomtx 0", 1, 0},        // anywhere in the text
        {"QLOMTX 0", 0, 1},          // case-sensitive
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpeedFieldDebugFlag(c.text, c.before), c.expected) << c.text;
}

TEST(DataOutputFieldSwitches, SubstringsCaseSensitive)
{
    EXPECT_TRUE(DataOutputFieldSwitches("xvkoy").toggleDebugButtons);
    EXPECT_FALSE(DataOutputFieldSwitches("VKO").toggleDebugButtons);
    EXPECT_FALSE(DataOutputFieldSwitches("Max  Amplitude").toggleDebugButtons);
    EXPECT_FALSE(DataOutputFieldSwitches("Mean Amplitude").advanceTestSignal);
    const DataOutputSwitches both = DataOutputFieldSwitches("vkoprbz");
    EXPECT_TRUE(both.toggleDebugButtons);
    EXPECT_TRUE(both.advanceTestSignal);
}

TEST(DropLastLineIfMarked, Cases)
{
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"x\r\nbuffer: 5\r\n", "x\r\n"},
        {"x\r\nyz\r\n", "x\r\nyz\r\n"},
        {"buffer: 5\r\n", "buffer: 5\r\n"},                 // one line is never shortened
        {"x\r\nbuffer: 5", "x\r\n"},                        // last line without CR LF
        {"x\r\nbuffer: 5\r\n\r\n", "x\r\nbuffer: 5\r\n\r\n"},  // the CR before an empty last line is too late
        {"", ""},
        {"\r\nbuffer:", "\r\nbuffer:"},                     // a CR at position 0 is never taken
        {"a\r\nbuffer:\r\nz\r\n", "a\r\nbuffer:\r\nz\r\n"},  // the marker must be in the last line
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        DropLastLineIfMarked(text, "buffer:");
        EXPECT_EQ(text, c.expected);
    }
}

TEST(DialogUnits, WindowAndDisplayArea)
{
    EXPECT_EQ(DialogRectToPixels(0, 0, 708, 500), (PixelRect{0, 0, 1062, 813}));
    EXPECT_EQ(DialogRectToPixels(171, 63, 530, 300), (PixelRect{257, 102, 795, 488}));
}
