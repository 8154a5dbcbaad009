#pragma once
// The open-file dialog's filter. The program states it in the classic form
// "Description|patterns;|Description|patterns;|"; the dialog wants Qt's form
// "Description (p1 p2);;Description (p3)". File names are case-sensitive
// here, so an extension pattern also admits its lower-case spelling, and
// "*.*" (meant as "every file") becomes "*" so names without a dot show too.

#include <string>

// The filter of the playback file choice, in the classic form.
inline constexpr const char* kDataLogFilter =
    "CORVALA LOG Data (*.LOG)|*.LOG;|All (*.*)|*.*;|";

// Converts a classic filter to Qt's form. A description that ends in a
// parenthesised pattern list has that list replaced by the converted one.
std::string QtFileFilter(const std::string& classicFilter);
