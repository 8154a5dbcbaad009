// Fills the port lists of the instrument and GPS rows. Ports are not probed:
// every number is offered whether or not its device exists.

#include <QComboBox>

#include "app/CVessaDlg.h"
#include "platform/Text.h"
#include "serial/PortParsing.h"
#include "ui/ControlTable.h"

void CVessaDlg::BuildPortLists()
{
    const std::pair<int, std::vector<std::string>> lists[] = {
        {Id::DevicePort, DevicePortEntries()},
        {Id::GpsPort, GpsPortEntries()},
    };
    for (const auto& [id, entries] : lists) {
        QComboBox* list = List(id);
        // Filled once per start-up; clearing keeps a second start-up from
        // doubling the entries.
        list->clear();
        for (const std::string& entry : entries)
            list->addItem(ToQt(entry));
    }
}
