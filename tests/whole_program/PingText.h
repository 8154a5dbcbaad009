#pragma once
// Reads instrument bytes (what the simulator sent, or a data log) back into
// pings, so the whole-program tests can compare them ping by ping.

#include <map>
#include <string>
#include <vector>

#include "support/TextLines.h"

struct PingText {
    int number = -1;                              // "#Ping", -1 when absent
    std::map<std::string, std::string> header;    // key -> value text
    int samples = 0;
    std::vector<int> values;                      // the sample lines as numbers
    bool complete = false;                        // "##DataEnd" reached
};

// Every ping that starts with a "#DeviceID" line, in order.
std::vector<PingText> ParsePings(const std::string& text);

// The report line the program writes for a ping with this header.
std::string ExpectedReportLine(const PingText& ping);

std::string ReadWholeFile(const std::string& path);
