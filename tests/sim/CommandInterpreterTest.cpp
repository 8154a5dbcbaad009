// The simulated instrument's command line: every command of the set, the
// attention and resume sequences, rejected values, and chunking.

#include <gtest/gtest.h>

#include <string>

#include "CommandInterpreter.h"

using sim::CommandInterpreter;
using sim::InstrumentParams;

TEST(SimCommands, SetCommandsChangeTheirParameter)
{
    struct Case {
        const char* command;
        InstrumentParams (*expected)();
    } cases[] = {
        {"#range 30000\r", [] { auto p = InstrumentParams{}; p.range_mm = 30000; return p; }},
        {"#interval 0.25\r", [] { auto p = InstrumentParams{}; p.interval_s = 0.25; return p; }},
        {"#interval 7200.00\r", [] { auto p = InstrumentParams{}; p.interval_s = 7200; return p; }},
        {"#threshold 30\r", [] { auto p = InstrumentParams{}; p.threshold = 30; return p; }},
        {"#offset -40\r", [] { auto p = InstrumentParams{}; p.offset_mm = -40; return p; }},
        {"#deadzone 800\r", [] { auto p = InstrumentParams{}; p.deadzone_mm = 800; return p; }},
        {"#txlength 20\r", [] { auto p = InstrumentParams{}; p.txlength_us = 20; return p; }},
        {"#tvgmode 3\r", [] { auto p = InstrumentParams{}; p.tvgMode = 3; return p; }},
        {"#gain -6.0\r", [] { auto p = InstrumentParams{}; p.gain_db = -6.0; return p; }},
        {"#tvgslope 1.50\r", [] { auto p = InstrumentParams{}; p.tvgSlope = 1.5; return p; }},
        {"#output 3\r", [] { auto p = InstrumentParams{}; p.outputMode = 3; return p; }},
    };
    for (const Case& c : cases) {
        InstrumentParams p;
        CommandInterpreter ci(p);
        const std::string reply = ci.Feed(c.command);
        EXPECT_EQ(p, c.expected()) << c.command;
        EXPECT_EQ(reply.rfind("#OK ", 0), 0u) << c.command << " -> " << reply;
    }
}

TEST(SimCommands, RejectedValuesKeepTheOldSetting)
{
    const char* cases[] = {
        "#range 4294947296\r",  // a negative range sent with %u
        "#range 500\r",
        "#range\r",
        "#range 20m\r",
        "#interval 0\r",
        "#threshold 101\r",
        "#tvgmode 4\r",
        "#output 0\r",
        "#output 7\r",
        "#gain nan\r",
        "#volume 3\r",
        "range 20000\r",
    };
    for (const char* c : cases) {
        InstrumentParams p;
        CommandInterpreter ci(p);
        const std::string reply = ci.Feed(c);
        EXPECT_EQ(p, InstrumentParams{}) << c;
        EXPECT_EQ(reply.rfind("#ERR ", 0), 0u) << c << " -> " << reply;
    }
}

TEST(SimCommands, AttentionStopsThePingingAndGoResumesIt)
{
    InstrumentParams p;
    CommandInterpreter ci(p);
    EXPECT_TRUE(ci.Pinging());
    EXPECT_EQ(ci.Feed("#\r#\r\r"), "");
    EXPECT_FALSE(ci.Pinging());
    ci.Feed("#range 10000\r");
    EXPECT_FALSE(ci.Pinging());
    ci.Feed("  \r#go\r");
    EXPECT_TRUE(ci.Pinging());
    EXPECT_EQ(p.range_mm, 10000);
    const std::vector<std::string> expected = {"#", "#", "#range 10000", "#go"};
    EXPECT_EQ(ci.Executed(), expected);
}

TEST(SimCommands, AnyChunkingGivesTheSameResult)
{
    const std::string stream = "#\r#\r\r#range 45000\r#gain 6.0\r#output 5\r  \r#go\r";
    InstrumentParams whole;
    CommandInterpreter reference(whole);
    const std::string wholeReply = reference.Feed(stream);
    for (size_t chunk = 1; chunk <= 7; ++chunk) {
        InstrumentParams p;
        CommandInterpreter ci(p);
        std::string reply;
        for (size_t i = 0; i < stream.size(); i += chunk)
            reply += ci.Feed(std::string_view(stream).substr(i, chunk));
        EXPECT_EQ(p, whole) << "chunk " << chunk;
        EXPECT_EQ(reply, wholeReply) << "chunk " << chunk;
    }
    EXPECT_EQ(whole.range_mm, 45000);
    EXPECT_EQ(whole.outputMode, 5);
}

TEST(SimCommands, DefaultRestoresFactorySettingsButKeepsTheId)
{
    InstrumentParams p;
    p.deviceId = 77;
    CommandInterpreter ci(p);
    ci.Feed("#range 90000\r#tvgmode 0\r#output 1\r");
    ci.Feed("#default\r");
    InstrumentParams expected;
    expected.deviceId = 77;
    EXPECT_EQ(p, expected);
}

TEST(SimCommands, InfoAndHelpAnswer)
{
    InstrumentParams p;
    p.range_mm = 30000;
    CommandInterpreter ci(p);
    const std::string info = ci.Feed("#info\r");
    for (const char* key : {"Device ID: 1234\r\n", " - range     [30000] mm\r\n", " - interval  [0.20] s\r\n",
                            " - threshold [10] %\r\n", " - deadzone  [300] mm\r\n", "Battery Level, mV: 12050\r\n",
                            "Memory[MB]: 512 total, free after 488.0\r\n"})
        EXPECT_NE(info.find(key), std::string::npos) << key;
    const std::string help = ci.Feed("#help\r");
    for (const char* cmd : {"#range", "#interval", "#threshold", "#offset", "#deadzone", "#txlength", "#tvgmode",
                            "#gain", "#tvgslope", "#output", "#info", "#help", "#go", "#default"})
        EXPECT_NE(help.find(cmd), std::string::npos) << cmd;
}

TEST(SimCommands, OverlongCommandLineIsRefusedWhole)
{
    InstrumentParams p;
    CommandInterpreter ci(p);
    const std::string reply = ci.Feed("#range 30000" + std::string(500, '0') + "\r#range 40000\r");
    EXPECT_EQ(reply.rfind("#ERR line too long\r\n", 0), 0u) << reply;
    EXPECT_EQ(p.range_mm, 40000);
}
