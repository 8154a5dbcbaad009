// The settings store: the texts of twelve lists, kept in the per-user INI
// file of the program ($XDG_CONFIG_HOME/Halvorn/Vessa.ini, section
// "Pelagrix01"). Loaded once at start-up, saved only when connecting.

#include <QComboBox>
#include <QSettings>

#include <string>
#include <vector>

#include "app/CVessaDlg.h"
#include "app/SettingsKeys.h"
#include "app/SettingsRules.h"
#include "platform/Text.h"

namespace {

QString KeyPath(const SettingsKey& key)
{
    return QString(kSettingsSection) + "/" + QString::fromLatin1(key.key);
}

}  // namespace

void CVessaDlg::LoadSettings()
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
    for (const SettingsKey& key : kSettingsKeys) {
        QComboBox* list = List(key.listId);
        const std::string value =
            FromQt(store.value(KeyPath(key), QString::fromLatin1(key.defaultText)).toString());
        std::vector<std::string> items;
        for (int i = 0; i < list->count(); ++i)
            items.push_back(FromQt(list->itemText(i)));
        int index = FindStoredItem(items, value);
        if (index < 0)
            index = key.fallbackItem;
        if (index >= list->count())
            continue;
        list->setCurrentIndex(index);
        // Selecting the current item again leaves a typed text in place.
        list->setEditText(list->itemText(index));
    }
}

void CVessaDlg::SaveSettings()
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
    for (const SettingsKey& key : kSettingsKeys)
        store.setValue(KeyPath(key), ToQt(TextForStore(ControlText(key.listId))));
    store.sync();
}
