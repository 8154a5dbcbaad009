#pragma once
// The main window's layout: every shown control with its id, kind, caption
// and rectangle in dialog units, the texts without id, the etched lines and
// the entries of every list. The window builds itself from these tables.

#include <span>
#include <vector>

enum class ControlKind {
    Button,
    CheckBox,
    List,          // editable drop-down list
    Text,          // static text, left aligned
    SunkenText,    // bordered one-line text, vertically centred
    Panel,         // bordered multi-line text panel
    ProgressBar,
    DisplayFrame,  // the echogram display area
    Console,       // the multi-line console pane
};

enum class Visibility { Shown, Debug };

struct ControlSpec {
    int id;
    ControlKind kind;
    const char* caption;
    int x, y, width, height;  // dialog units; a list's height includes its drop-down
    Visibility visibility;
};

struct LabelSpec {
    const char* text;
    int x, y, width, height;
    bool centredVertically;
};

struct EtchedLineSpec {
    int x, y, width, height;
    bool horizontal;
};

struct ListEntriesSpec {
    int id;
    std::vector<const char*> entries;
    int selected;
};

// Window size in dialog units and its title.
inline constexpr int kWindowWidthDu = 708;
inline constexpr int kWindowHeightDu = 500;
inline constexpr const char* kWindowTitle = "PELAGRIX Echosounder/Altimeter Control Program";

std::span<const ControlSpec> MainWindowControls();
std::span<const LabelSpec> MainWindowLabels();
std::span<const EtchedLineSpec> MainWindowEtchedLines();
// Entries and start-up selection of every list filled at start-up (the two
// port lists are filled by the connection control).
const std::vector<ListEntriesSpec>& MainWindowListEntries();
const ControlSpec* FindControlSpec(int id);

// Control ids used across the program.
namespace Id {
inline constexpr int Exit = 2;
inline constexpr int Progress = 1003;
inline constexpr int DevicePort = 1005;
inline constexpr int DeviceSpeed = 1006;
inline constexpr int Connect = 1007;
inline constexpr int Apply = 1009;
inline constexpr int Range = 1010;
inline constexpr int Interval = 1011;
inline constexpr int Threshold = 1013;
inline constexpr int Offset = 1014;
inline constexpr int Deadzone = 1015;
inline constexpr int TxLength = 1016;
inline constexpr int Reread = 1018;
inline constexpr int CommandChoice = 1023;
inline constexpr int Console = 1025;
inline constexpr int SendCommand = 1027;
inline constexpr int DeviceLabel = 1032;
inline constexpr int SelectInputFile = 1035;
inline constexpr int DataFolder = 1037;
inline constexpr int TvgGain = 1038;
inline constexpr int Display = 1039;
inline constexpr int Test = 1040;
inline constexpr int TvgSlope = 1041;
inline constexpr int OutputMode = 1042;
inline constexpr int DataOutput = 1043;
inline constexpr int TvgMode = 1044;
inline constexpr int BrowseFolder = 1045;
inline constexpr int Stop = 1046;
inline constexpr int Step = 1047;
inline constexpr int Replay = 1048;
inline constexpr int Pause = 1049;
inline constexpr int Play = 1050;
inline constexpr int CreateLogFile = 1051;
inline constexpr int TvgModeLabel = 1052;
inline constexpr int TvgSlopeLabel = 1053;
inline constexpr int DisplayRange = 1054;
inline constexpr int DataScale = 1055;
inline constexpr int ColorPalette = 1056;
inline constexpr int GpsPort = 1057;
inline constexpr int GpsSpeed = 1058;
inline constexpr int GpsPanel = 1059;
inline constexpr int SensorsPanel = 1060;
}  // namespace Id

// The controls shown only in debug mode, and the five playback buttons.
inline constexpr int kDebugControlIds[] = {Id::CreateLogFile, Id::Test, Id::SendCommand,
                                           Id::CommandChoice, Id::TvgSlope, Id::TvgMode,
                                           Id::TvgSlopeLabel, Id::TvgModeLabel};
inline constexpr int kPlaybackButtonIds[] = {Id::Step, Id::Replay, Id::Stop, Id::Play,
                                             Id::Pause};
// The parameter controls switched by EnableParameterControls, in order.
inline constexpr int kParameterControlIds[] = {
    Id::Apply,    Id::Reread,    Id::Range,   Id::Interval, Id::Threshold, Id::Deadzone,
    Id::TxLength, Id::Offset,    Id::TvgMode, Id::TvgGain,  Id::TvgSlope,  Id::OutputMode,
    Id::DeviceLabel};
