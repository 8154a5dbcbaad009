#pragma once
// A started main window shared by the cases of one test binary: start-up
// (with its 2 s delay) runs once, on first use. Scripted dialogs are
// installed before start-up.

#include <chrono>
#include <functional>
#include <string>

#include "app/CVessaDlg.h"
#include "support/ScriptedDialogs.h"

// The shared, started main window and its scripted dialogs.
CVessaDlg& StartedMainWindow();
ScriptedDialogs& StartedDialogs();
// Destroys the shared window; the test main calls it before Qt shuts down.
void ReleaseStartedMainWindow();

// Dispatches events until `condition` holds or `timeout` passes; returns the
// condition's last value.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Number of times `needle` occurs in `haystack`.
size_t CountOf(const std::string& haystack, const std::string& needle);
