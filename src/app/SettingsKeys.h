#pragma once
// The twelve list texts kept across program runs: key, list, the text used
// when nothing is stored, and the item selected when the stored text names
// no item of the list.

#include <array>

struct SettingsKey {
    const char* key;
    int listId;
    const char* defaultText;
    int fallbackItem;
};

inline constexpr const char* kSettingsSection = "Pelagrix01";

inline constexpr std::array<SettingsKey, 12> kSettingsKeys = {{
    {"SerialPortNumber", 1005, "COM1 ", 0},
    {"SerialPortSpeed", 1006, "115200", 5},
    {"SerialGPSPortNumber", 1057, "None ", 0},
    {"SerialGPSPortSpeed", 1058, "4800", 5},
    {"Range,m", 1010, "10 ", 5},
    {"Tx Pulse Length,uks", 1016, "20 ", 2},
    {"Interval,sec", 1011, " 1 ", 1},
    {"Deadzone,mm", 1015, "300", 2},
    {"Offset,mm", 1014, " 0 ", 4},
    {"Altimeter Threshold", 1013, "10", 1},
    {"TVG Gain,dB", 1038, " 0 ", 6},
    {"Output Mode", 1042, "Echosounder", 0},
}};
