// Header keys and sensor sentences of each processed line into the
// parameter record; GPS sentences go to the GPS panel.

#include <cstring>

#include "app/CVessaDlg.h"
#include "intake/HeaderFields.h"

int CVessaDlg::ParseHeaderLine(const char* line)
{
    if (line == nullptr)
        return 0;
    const HeaderLineKind kind = ParseHeaderFields(line, DeviceParams, m_DbtSeen);
    if (kind == HeaderLineKind::GpsSentence)
        ShowGpsLine(line);
    return kind == HeaderLineKind::Unrecognised ? 0 : 1;
}
