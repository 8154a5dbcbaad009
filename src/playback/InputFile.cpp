#include "playback/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

PlaybackInput OpenPlaybackInput(const std::string& path)
{
    PlaybackInput input;
    if (path.empty())
        return input;
    // Non-blocking, so a named pipe does not wait here for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return input;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return input;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    input.file = ::fdopen(fd, "rb");
    if (!input.file) {
        ::close(fd);
        return input;
    }
    input.length = static_cast<int64_t>(st.st_size);
    return input;
}
