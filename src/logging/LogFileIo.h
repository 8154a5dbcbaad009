#pragma once
// File operations of the data log: create or truncate with other Pelagrix
// writers locked out, write whole records straight to the system, and sync
// on close. Results carry the system's errno; nothing here reports.

#include <cstddef>
#include <cstdio>
#include <string>

// Creates or truncates `path` for writing (mode 0644 under the umask) and
// takes an exclusive lock on it, so a second program writing the same file
// fails to open it. Returns nullptr with `error` set on failure. The stream
// is only a handle: records go through WriteWholeRecord, never through
// stdio's buffer, so flushing it is always a no-op.
std::FILE* CreateLogFile(const std::string& path, int& error);

// Writes all `size` bytes to the file's descriptor, retrying after signals
// and short writes. Returns 0 or the errno of the failure.
int WriteWholeRecord(std::FILE* file, const char* data, size_t size);

// Syncs the file to the disk (devices that cannot sync are not an error) and
// closes it. Returns 0 or the errno of the first failure.
int SyncAndCloseLogFile(std::FILE* file);
