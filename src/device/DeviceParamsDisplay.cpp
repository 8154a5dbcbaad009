// Shows the instrument's own parameters in the parameter lists and the
// device text.

#include "app/CVessaDlg.h"
#include "device/DeviceParamsText.h"

void CVessaDlg::ShowDeviceParams()
{
    for (const auto& [id, text] : DeviceParamsTexts(DeviceParams))
        SetControlText(id, text);
}
