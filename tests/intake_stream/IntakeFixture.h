#pragma once
// The started main window with the intake state reset before each case, and
// a way to hand it lines as the line assembly does.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/PingHistory.h"
#include "support/MainWindowFixture.h"

class IntakeTest : public ::testing::Test {
protected:
    CVessaDlg& dlg = StartedMainWindow();

    void SetUp() override
    {
        dlg.DeviceParams = {};
        dlg.m_PingState = 0;
        dlg.m_HeaderState = 0;
        dlg.NSInBuff = 0;
        dlg.m_LastPingSamples = 0;
        dlg.m_RereadPending = 0;
        dlg.m_DbtSeen = 0;
        dlg.FlagGenerateTestSignal = 0;
        dlg.FlagShowDebugButtons = 0;
        dlg.m_StepMode = 0;
        dlg.m_StepRequest = 0;
        dlg.m_StopRequest = 0;
        dlg.m_BytesIn = 0;
        dlg.m_PlayFileLength = 0;
        dlg.m_LogActive = 0;
        dlg.m_ReportOpen = 0;
        // Connected: no pacing delays.
        dlg.m_Connected = 1;
    }

    void TearDown() override { dlg.m_Connected = 0; }

    // One line as the line assembly hands it over: bytes, LF included, a NUL
    // after them when there is room.
    void Feed(const std::string& line)
    {
        const size_t n = std::min(line.size(), sizeof dlg.m_LineBuf);
        std::memcpy(dlg.m_LineBuf, line.data(), n);
        if (n < sizeof dlg.m_LineBuf)
            dlg.m_LineBuf[n] = '\0';
        dlg.m_LineLen = static_cast<int32_t>(n);
        dlg.m_LineReady = 1;
        dlg.ProcessLine();
    }

    void FeedAll(std::initializer_list<std::string> lines)
    {
        for (const std::string& line : lines)
            Feed(line + "\r\n");
    }

    static int32_t* Row(int32_t ping) { return PingHistory[((ping % 1000) + 1000) % 1000]; }
    static std::vector<int32_t> Slots(int32_t ping, int from, int count)
    {
        return {Row(ping) + from, Row(ping) + from + count};
    }
    static void FillRow(int32_t ping, int32_t value)
    {
        std::fill(Row(ping), Row(ping) + kPingHistorySlots, value);
    }
};
