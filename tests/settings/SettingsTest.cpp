// The settings store over the started main window: first-run selections,
// matching of stored texts, the cut on save, and nothing stored without a
// connect.

#include <QComboBox>
#include <QSettings>

#include <gtest/gtest.h>

#include "app/SettingsKeys.h"
#include "app/SettingsRules.h"
#include "support/MainWindowFixture.h"
#include "ui/ControlTable.h"

namespace {

QSettings Store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
}

void StoreValue(const char* key, const char* value)
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
    store.setValue(QString(kSettingsSection) + "/" + key, QString::fromLatin1(value));
    store.sync();
}

void ClearStore()
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
    store.remove(kSettingsSection);
    store.sync();
}

}  // namespace

// Runs first: the started window has loaded from an empty store.
TEST(Settings, FirstRunSelections)
{
    CVessaDlg& dlg = StartedMainWindow();
    struct Expected {
        int id;
        int index;
        const char* text;
    };
    const Expected expected[] = {
        {Id::DevicePort, 0, "COM1"},        {Id::DeviceSpeed, 5, "115200 (default)"},
        {Id::GpsPort, 0, "None"},           {Id::GpsSpeed, 5, "115200"},
        {Id::Range, 5, "20"},               {Id::TxLength, 2, "20 "},
        {Id::Interval, 1, " 0.2 "},         {Id::Deadzone, 2, "300"},
        {Id::Offset, 4, " 0 "},             {Id::Threshold, 1, "10"},
        {Id::TvgGain, 6, " 0 dB"},          {Id::OutputMode, 0, "Echosounder"},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(dlg.List(e.id)->currentIndex(), e.index) << e.id;
        EXPECT_EQ(dlg.ControlText(e.id), e.text) << e.id;
    }
}

TEST(Settings, NothingIsStoredWithoutAConnect)
{
    CVessaDlg& dlg = StartedMainWindow();
    dlg.List(Id::Range)->setCurrentIndex(8);
    dlg.SetControlText(Id::DeviceSpeed, "9600");
    QSettings store = Store();
    store.sync();
    EXPECT_TRUE(store.childGroups().indexOf(kSettingsSection) < 0)
        << "keys: " << store.allKeys().join(",").toStdString();
}

TEST(Settings, StoredTextsSelectTheirItems)
{
    CVessaDlg& dlg = StartedMainWindow();
    struct Case {
        const char* key;
        const char* stored;
        int id;
        int index;
        const char* text;
    };
    const Case cases[] = {
        {"SerialPortNumber", "com7", Id::DevicePort, 6, "COM7"},           // letter case ignored
        {"SerialPortSpeed", "115200 (DEFAULT)", Id::DeviceSpeed, 5, "115200 (default)"},
        {"SerialGPSPortNumber", "None", Id::GpsPort, 65, "None"},          // the last "None"
        {"SerialGPSPortSpeed", "4800 (default)", Id::GpsSpeed, 0, "4800 (default)"},
        {"Range,m", "10", Id::Range, 3, "10"},
        {"Tx Pulse Length,uks", "100", Id::TxLength, 4, "100"},
        {"Interval,sec", " 0.5  ", Id::Interval, 3, " 0.5  "},           // blanks count
        {"Deadzone,mm", "150", Id::Deadzone, 0, "150"},
        {"Offset,mm", "-40", Id::Offset, 0, "-40"},
        {"Altimeter Threshold", "70", Id::Threshold, 8, "70"},
        {"TVG Gain,dB", "+6 ", Id::TvgGain, 5, "+6 "},
        {"Output Mode", "altimeter nmea", Id::OutputMode, 1, "Altimeter NMEA"},
    };
    for (const Case& c : cases)
        StoreValue(c.key, c.stored);
    dlg.LoadSettings();
    for (const Case& c : cases) {
        EXPECT_EQ(dlg.List(c.id)->currentIndex(), c.index) << c.key;
        EXPECT_EQ(dlg.ControlText(c.id), c.text) << c.key;
    }
    ClearStore();
}

TEST(Settings, UnmatchedTextsSelectTheFallbackItem)
{
    CVessaDlg& dlg = StartedMainWindow();
    struct Case {
        const char* key;
        const char* stored;
        int id;
        int index;
    };
    const Case cases[] = {
        {"SerialPortNumber", "COM1 ", Id::DevicePort, 0},
        {"SerialGPSPortSpeed", "4800", Id::GpsSpeed, 5},
        {"Range,m", "10 ", Id::Range, 5},  // the trailing blank makes it differ
        {"Interval,sec", "0.2", Id::Interval, 1},
        {"Output Mode", "Echosounder Fixed 1000 Sample", Id::OutputMode, 0},
    };
    // Start from other selections, so the fallback is seen to be chosen.
    for (const Case& c : cases) {
        dlg.List(c.id)->setCurrentIndex(2);
        dlg.SetControlText(c.id, "typed text");
        StoreValue(c.key, c.stored);
    }
    dlg.LoadSettings();
    for (const Case& c : cases) {
        EXPECT_EQ(dlg.List(c.id)->currentIndex(), c.index) << c.key;
        EXPECT_EQ(dlg.ControlText(c.id), dlg.List(c.id)->itemText(c.index).toStdString())
            << c.key;
    }
    ClearStore();
}

TEST(Settings, SaveStoresTheFirst29CharactersOfEachList)
{
    CVessaDlg& dlg = StartedMainWindow();
    dlg.List(Id::OutputMode)->setCurrentIndex(5);  // "Echosounder Fixed 1000 Samples"
    dlg.List(Id::Interval)->setCurrentIndex(3);    // " 0.5  "
    dlg.SetControlText(Id::Range, "7 typed");
    dlg.SaveSettings();

    QSettings store = Store();
    EXPECT_EQ(store.fileName(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/Halvorn/Vessa.ini");
    store.beginGroup(kSettingsSection);
    EXPECT_EQ(store.allKeys().size(), 12);
    EXPECT_EQ(store.value("Output Mode").toString().toStdString(),
              "Echosounder Fixed 1000 Sample");
    EXPECT_EQ(store.value("Interval,sec").toString().toStdString(), " 0.5  ");
    EXPECT_EQ(store.value("Range,m").toString().toStdString(), "7 typed");
    store.endGroup();

    // The cut text names no item any more: the next load shows the fallback.
    dlg.LoadSettings();
    EXPECT_EQ(dlg.ControlText(Id::OutputMode), "Echosounder");
    EXPECT_EQ(dlg.ControlText(Id::Interval), " 0.5  ");
    EXPECT_EQ(dlg.ControlText(Id::Range), "20");
    ClearStore();
}

TEST(FindStoredItem, SearchStartsAtItemOneAndWraps)
{
    const std::vector<std::string> items = {"None", "COM1", "COM2", "None"};
    EXPECT_EQ(FindStoredItem(items, "None"), 3);
    EXPECT_EQ(FindStoredItem(items, "NONE"), 3);
    EXPECT_EQ(FindStoredItem(items, "com2"), 2);
    EXPECT_EQ(FindStoredItem(items, "COM2 "), -1);
    EXPECT_EQ(FindStoredItem({"only"}, "ONLY"), 0);
    EXPECT_EQ(FindStoredItem({"a", "b"}, "A"), 0);  // item 0 is checked last
    EXPECT_EQ(FindStoredItem({}, "x"), -1);
}

TEST(TextForStore, CutsAt29Characters)
{
    EXPECT_EQ(TextForStore("Echosounder Fixed 1000 Samples"), "Echosounder Fixed 1000 Sample");
    EXPECT_EQ(TextForStore(" 0 "), " 0 ");
    EXPECT_EQ(TextForStore(""), "");
}
