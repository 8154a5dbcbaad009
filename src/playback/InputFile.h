#pragma once
// Opening a data log for playback. Only a regular file is played: a folder,
// a device or a pipe is refused (a pipe would block the window at open and a
// folder reads nothing but errors).

#include <cstdint>
#include <cstdio>
#include <string>

struct PlaybackInput {
    std::FILE* file = nullptr;  // owned by the caller; nullptr on failure
    int64_t length = 0;         // bytes in the file at open
};

PlaybackInput OpenPlaybackInput(const std::string& path);
