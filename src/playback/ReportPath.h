#pragma once
// The name of the report log written beside a played data log: the time of
// file selection goes in before the extension and an "x" is appended, so
// "/data/D.LOG" chosen at 09:30:05 on 7 March 2012 gives
// "/data/D_ReportLog_20120307_093005.LOGx".

#include <ctime>
#include <string>

// `localTime` is the local civil time of the selection. The stamp is put in
// front of the last four characters of `inputPath` (at its start when the
// path is shorter).
std::string ReportPathFor(const std::string& inputPath, const std::tm& localTime);
