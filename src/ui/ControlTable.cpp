#include "ui/ControlTable.h"

namespace {

using K = ControlKind;
constexpr Visibility S = Visibility::Shown;
constexpr Visibility D = Visibility::Debug;

const ControlSpec kControls[] = {
    {1005, K::List, "", 57, 18, 60, 475, S},
    {1006, K::List, "", 124, 18, 82, 197, S},
    {1057, K::List, "", 57, 34, 60, 459, S},
    {1058, K::List, "", 124, 34, 82, 197, S},
    {1007, K::Button, "Connect", 219, 15, 80, 33, S},
    {1037, K::List, "", 317, 18, 117, 197, S},
    {1045, K::Button, "....", 439, 18, 25, 14, S},
    {1051, K::CheckBox, "Create Log file", 550, 18, 63, 10, D},
    {1035, K::Button, "Select input data file ", 622, 15, 80, 33, S},
    {1010, K::List, "", 88, 77, 68, 169, S},
    {1016, K::List, "", 88, 93, 68, 135, S},
    {1011, K::List, "", 88, 109, 68, 248, S},
    {1015, K::List, "", 88, 125, 68, 80, S},
    {1014, K::List, "", 88, 141, 68, 98, S},
    {1013, K::List, "", 88, 157, 68, 181, S},
    {1038, K::List, "", 88, 173, 68, 166, S},
    {1042, K::List, "", 56, 189, 100, 96, S},
    {1018, K::Button, "Re-read parameters", 9, 205, 73, 14, S},
    {1009, K::Button, "Apply", 85, 205, 71, 14, S},
    {1032, K::SunkenText, "", 9, 226, 147, 14, S},
    {1059, K::Panel, "GPS Data:", 8, 306, 147, 75, S},
    {1052, K::Text, "TVG Mode", 17, 348, 75, 12, D},
    {1044, K::List, "", 95, 348, 48, 86, D},
    {1053, K::Text, "TVG Slope", 18, 364, 75, 12, D},
    {1041, K::List, "", 95, 364, 48, 80, D},
    {1060, K::Panel, "", 7, 400, 147, 75, S},
    {1023, K::List, "", 7, 441, 66, 80, D},
    {1027, K::Button, "Send Command", 77, 441, 70, 14, D},
    {1003, K::ProgressBar, "", 7, 479, 147, 14, S},
    {1039, K::DisplayFrame, "", 171, 63, 530, 300, S},
    {1055, K::List, "", 218, 367, 124, 80, S},
    {1046, K::Button, "STOP", 348, 367, 30, 15, S},
    {1050, K::Button, "PLAY", 392, 367, 30, 15, S},
    {1049, K::Button, "PAUSE", 423, 367, 30, 15, S},
    {1047, K::Button, "STEP", 469, 367, 30, 15, S},
    {1048, K::Button, "REPLAY", 502, 367, 30, 15, S},
    {1054, K::List, "", 596, 366, 105, 177, S},
    {1043, K::List, "", 218, 383, 124, 80, S},
    {1056, K::List, "", 596, 383, 105, 137, S},
    {1025, K::Console, "", 171, 400, 530, 75, S},
    {1040, K::Button, "Test", 361, 479, 50, 14, D},
    {2, K::Button, "Exit", 631, 479, 70, 14, S},
};

const LabelSpec kLabels[] = {
    {"Serial Port Number ", 57, 3, 61, 13, true},
    {"Serial Port Speed, bps", 126, 3, 72, 13, true},
    {"Output Data Folder", 319, 3, 72, 13, true},
    {"Data Playback", 628, 4, 72, 8, true},
    {"Echosounder", 9, 18, 42, 12, false},
    {"GPS", 10, 34, 42, 12, false},
    {"Echosounder Parameters:", 13, 62, 99, 12, false},
    {"Range, m", 13, 77, 62, 12, false},
    {"Tx Length, uks", 11, 93, 69, 12, false},
    {"Interval, sec", 12, 109, 64, 12, false},
    {"Deadzone, mm", 11, 125, 67, 12, false},
    {"Offset, mm", 12, 142, 67, 12, false},
    {"Altimeter Threshold, %", 12, 157, 75, 12, false},
    {"TVG Gain, dB", 12, 173, 75, 12, false},
    {"Output Mode", 12, 189, 42, 12, false},
    {"GPS Data", 10, 292, 42, 12, false},
    {"Sensors Output", 9, 387, 55, 12, false},
    {"Data Scale: ", 172, 368, 43, 8, false},
    {"Range: ", 568, 368, 24, 8, false},
    {"Data Output: ", 172, 384, 43, 8, false},
    {"Color Palette:", 547, 384, 44, 8, false},
};

const EtchedLineSpec kEtchedLines[] = {
    {7, 52, 690, 8, true},
    {159, 60, 8, 432, false},
};

}  // namespace

std::span<const ControlSpec> MainWindowControls() { return kControls; }
std::span<const LabelSpec> MainWindowLabels() { return kLabels; }
std::span<const EtchedLineSpec> MainWindowEtchedLines() { return kEtchedLines; }

const std::vector<ListEntriesSpec>& MainWindowListEntries()
{
    static const std::vector<ListEntriesSpec> lists = {
        {1006, {"4800", "9600", "19200", "38400", "57600", "115200 (default)", "230400"}, 5},
        {1058, {"4800 (default)", "9600", "19200", "38400", "57600", "115200", "230400"}, 0},
        {1037, {"C:\\DataEcho\\", "D:\\DataEcho\\", "C:\\Data\\", "Do not write data!"}, 0},
        {1010,
         {"2", "3", "5", "10", "15", "20", "30", "40", "50", "60", "70", "80", "90", "100"},
         3},
        {1011,
         {" 0.1 ", " 0.2 ", " 0.25 ", " 0.5  ", " 1  ", " 2  ", " 3  ", " 5  ",
          "10  ",  "15  ", "20  ",   "30  ",   "60  ", "120 ", "150 ", "180 ",
          "300 ",  "600 ", "1200",   "1500",   "3000", "3600", "7200"},
         1},
        {1013, {"5 ", "10", "15", "20", "30", "40", "50", "60", "70"}, 1},
        {1015, {"150", "200", "300", "500", "800", "1000"}, 1},
        {1016, {"10 ", "15 ", "20 ", "50 ", "100"}, 2},
        {1014, {"-40", "-30", "-20", "-10", " 0 ", "10", "20", "30", "40"}, 4},
        {1044, {"Mode 0 R", "Mode 1 Spher1", "Mode 2 Spher2", "Mode 3 Flat"}, 1},
        {1054,
         {"Auto Range", " 1 m", " 2 m", " 3 m", " 5 m", " 6 m", "10 m", "12 m", "15 m",
          "20 m", "30 m", "40 m", "50 m", "60 m", "70 m", "80 m", "90 m", "100 m"},
         0},
        {1038,
         {"+50", "+40", "+30", "+20", "+10", "+6 ", " 0 dB", "-6 ", "-10", "-20", "-30", "-40",
          "-50"},
         6},
        {1041, {"0.5", "0.7", "1.0", "1.5", "2.0"}, 2},
        {1042,
         {"Echosounder", "Altimeter NMEA", "Altimeter Simple", "Echosounder Fixed 200 Samples",
          "Echosounder Fixed 500 Samples", "Echosounder Fixed 1000 Samples"},
         0},
        {1055, {"dB Scale", "Linear Scale"}, 1},
        {1043, {"Max  Amplitude", "Mean Amplitude"}, 0},
        {1056,
         {"Rainbow (Black Background)", "Rainbow (White Background)", "Gray", "Gray Inverse"},
         0},
        {1023,
         {"info    (Print Info)         ", "help                         ",
          "go      (goto Work Mode)     ", "default (set default Settings"},
         0},
    };
    return lists;
}

const ControlSpec* FindControlSpec(int id)
{
    for (const ControlSpec& c : kControls)
        if (c.id == id)
            return &c;
    return nullptr;
}
