#pragma once
// The application object: runs the main controller as a modal dialog.

class CVessaApp {
public:
    // Runs the whole program; returns false so that no further event loop runs.
    bool InitInstance();
};
