// The command console, the parameter apply and the device parameters display
// on the started main window, with the instrument channel's port handle on a
// pseudo-terminal: the exact bytes the instrument receives are read from the
// master side.

#include <QPushButton>

#include <gtest/gtest.h>

#include "support/MainWindowFixture.h"
#include "support/Pty.h"
#include "ui/ControlTable.h"

namespace {

constexpr const char* kAttention = "#\r#\r\r";
constexpr const char* kResume = "  \r#go\r";

// The started window with the instrument port on a fresh pty for each case.
class CommandPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = &StartedMainWindow();
        ASSERT_TRUE(OpenDeviceChannelOnPty(master));
    }
    void TearDown() override { CloseDeviceChannelOnPty(master); }

    // Console text appended since `before` was taken.
    std::string ConsoleSince(const std::string& before) const
    {
        const std::string now = dlg->ConsoleText();
        return now.substr(std::min(before.size(), now.size()));
    }

    CVessaDlg* dlg = nullptr;
    int master = -1;
};

// Sets every parameter list to a known text.
void SetParameterTexts(CVessaDlg& dlg)
{
    const std::pair<int, const char*> texts[] = {
        {Id::Range, "20"},      {Id::Interval, " 0.25 "},  {Id::Threshold, "10"},
        {Id::Offset, " 0 "},    {Id::Deadzone, "300"},     {Id::TxLength, "20 "},
        {Id::TvgMode, "Mode 1 Spher1"}, {Id::TvgGain, " 0 dB"}, {Id::TvgSlope, "1.0"},
        {Id::OutputMode, "Echosounder"},
    };
    for (const auto& [id, text] : texts)
        dlg.SetControlText(id, text);
}

}  // namespace

TEST_F(CommandPath, SendCommandWrapsTheChosenCommandAndEchoesOnlyIt)
{
    dlg->SetControlText(Id::CommandChoice, "go      (goto Work Mode)     ");
    const std::string before = dlg->ConsoleText();
    dlg->OnSendCommand();
    EXPECT_EQ(ReadAvailable(master), std::string(kAttention) + "#go\r" + kResume);
    EXPECT_EQ(ConsoleSince(before), "\r\n>> Send Command: [#go\r]\r\n");
    EXPECT_EQ(dlg->m_EchoCommands, 1);
}

TEST_F(CommandPath, TypedTextSendsEveryKeywordItContains)
{
    dlg->SetControlText(Id::CommandChoice, "info go");
    dlg->OnSendCommand();
    EXPECT_EQ(ReadAvailable(master), std::string(kAttention) + "#info\r" + kResume + kAttention +
                                         "#go\r" + kResume);
}

TEST_F(CommandPath, TextWithoutKeywordWritesNothing)
{
    dlg->SetControlText(Id::CommandChoice, "INFO reset");
    const std::string before = dlg->ConsoleText();
    dlg->OnSendCommand();
    EXPECT_EQ(ReadAvailable(master), "");
    EXPECT_EQ(ConsoleSince(before), "\r\n");
}

TEST_F(CommandPath, SilentSendShowsNothing)
{
    const std::string before = dlg->ConsoleText();
    dlg->m_EchoCommands = 0;
    EXPECT_EQ(dlg->SendCommand("#help\r"), 1);
    dlg->m_EchoCommands = 1;
    EXPECT_EQ(ReadAvailable(master), "#help\r");
    EXPECT_EQ(ConsoleSince(before), "");
}

TEST_F(CommandPath, FormattedCommandsAreCutAt99Characters)
{
    dlg->m_EchoCommands = 0;
    dlg->SendFormatted(std::string(120, 'x'));
    dlg->m_EchoCommands = 1;
    EXPECT_EQ(ReadAvailable(master), std::string(99, 'x'));
}

TEST_F(CommandPath, ApplyAfterConnectSendsAllThenOnlyWhatChanged)
{
    SetParameterTexts(*dlg);
    dlg->DeviceParams = {};
    dlg->m_SendAllParams = 1;
    const std::string before = dlg->ConsoleText();
    dlg->ApplyParameters();
    const std::string all = std::string(kAttention) +
                            "#range 20000\r#interval 0.25\r#threshold 10\r#offset 0\r"
                            "#deadzone 300\r#txlength 20\r#tvgmode 1\r#gain 0.0\r"
                            "#tvgslope 1.00\r#output 2\r" +
                            kResume;
    EXPECT_EQ(ReadAvailable(master), all);
    EXPECT_EQ(dlg->m_SendAllParams, 0);
    // Every parameter command is echoed, the two sequences are not.
    const std::string echoed = ConsoleSince(before);
    EXPECT_EQ(CountOf(echoed, ">> Send Command: ["), 10u);
    EXPECT_NE(echoed.find(">> Send Command: [#range 20000\r]"), std::string::npos);
    EXPECT_EQ(echoed.find("#go"), std::string::npos);
    EXPECT_EQ(echoed.substr(echoed.size() - 2), "\r\n");
    EXPECT_EQ(dlg->DeviceParams.Range_mm, 20000);
    EXPECT_FLOAT_EQ(dlg->DeviceParams.Interval_s, 0.25f);

    // No ping in between: nothing differs, only the two sequences go out.
    dlg->ApplyParameters();
    EXPECT_EQ(ReadAvailable(master), std::string(kAttention) + kResume);
}

TEST_F(CommandPath, ApplySendsChangedValuesInTheirFormats)
{
    SetParameterTexts(*dlg);
    dlg->m_SendAllParams = 1;
    dlg->ApplyParameters();
    ReadAvailable(master);

    dlg->SetControlText(Id::Range, "100");
    dlg->SetControlText(Id::Interval, "7200");
    dlg->SetControlText(Id::TvgGain, "+6 ");
    dlg->SetControlText(Id::OutputMode, "Altimeter NMEA");
    dlg->ApplyParameters();
    EXPECT_EQ(ReadAvailable(master), std::string(kAttention) +
                                         "#range 100000\r#interval 7200.00\r#gain 6.0\r"
                                         "#output 3\r" +
                                         kResume);
    EXPECT_EQ(dlg->DeviceParams.OutputMode, 3);
    EXPECT_FLOAT_EQ(dlg->DeviceParams.Resolution, 15.0f);
    EXPECT_EQ(dlg->DeviceParams.NSamples, 6666);
    EXPECT_EQ(dlg->m_ProgressMax, 20);
    SetParameterTexts(*dlg);
}

TEST_F(CommandPath, RereadDisablesItsButtonUntilAHeaderArrives)
{
    dlg->Button(Id::Reread)->setEnabled(true);
    dlg->m_RereadPending = 0;
    dlg->OnRereadParameters();
    EXPECT_EQ(dlg->m_RereadPending, 1);
    EXPECT_FALSE(dlg->Button(Id::Reread)->isEnabled());
    EXPECT_EQ(ReadAvailable(master), "") << "re-reading sends no command";
    dlg->m_RereadPending = 0;
}

TEST(DeviceParamsDisplay, ShowsTheRecordInTheParameterLists)
{
    CVessaDlg& dlg = StartedMainWindow();
    dlg.SetControlText(Id::OutputMode, "Echosounder");
    dlg.SetControlText(Id::TvgMode, "Mode 1 Spher1");
    DeviceParamsRecord p;
    p.DeviceID = 7;
    p.Range_mm = 2500;
    p.Interval_s = 0.5f;
    p.Threshold = 15;
    p.Offset_mm = -10;
    p.Deadzone_mm = 150;
    p.PulseLength_us = 100;
    p.TVG_Gain = -6.0f;
    p.TVG_Slope = 0.7f;
    p.OutputMode = 0;  // nothing received: the lists keep their texts
    p.TVG_Mode = 7;
    dlg.DeviceParams = p;
    dlg.ShowDeviceParams();
    const std::pair<int, const char*> expected[] = {
        {Id::Range, "2"},         {Id::Interval, "0.50"},  {Id::Threshold, "15"},
        {Id::Offset, "-10"},      {Id::Deadzone, "150"},   {Id::TxLength, "100"},
        {Id::TvgGain, "-6.0"},    {Id::TvgSlope, "0.70"},  {Id::OutputMode, "Echosounder"},
        {Id::TvgMode, "Mode 1 Spher1"}, {Id::DeviceLabel, " Device: Pelagrix ID0007"},
    };
    for (const auto& [id, text] : expected)
        EXPECT_EQ(dlg.ControlText(id), text) << id;

    dlg.DeviceParams.OutputMode = 6;
    dlg.DeviceParams.TVG_Mode = 3;
    dlg.ShowDeviceParams();
    EXPECT_EQ(dlg.ControlText(Id::OutputMode), "Echosounder Fixed 1000 Samples");
    EXPECT_EQ(dlg.ControlText(Id::TvgMode), "Mode 3");
    dlg.DeviceParams = {};
}
