// Operations whose subsystems are not built yet: each does nothing for now.
// A subsystem that defines one of these removes it from its section here.

#include <QPainter>

#include "app/CVessaDlg.h"

// ---- app/: settings store

// ---- serial/: connection control

// ---- device/

// ---- intake/

// ---- playback/

// ---- folderchooser/
