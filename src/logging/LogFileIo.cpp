#include "logging/LogFileIo.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

std::FILE* CreateLogFile(const std::string& path, int& error)
{
    error = 0;
    // Truncate only once the lock is held, so a file another writer holds
    // is left intact.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    struct stat st {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0 ||
        (S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0)) {
        error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        error = errno;
        ::close(fd);
        return nullptr;
    }
    return file;
}

int WriteWholeRecord(std::FILE* file, const char* data, size_t size)
{
    if (!file)
        return EBADF;
    const int fd = ::fileno(file);
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

int SyncAndCloseLogFile(std::FILE* file)
{
    if (!file)
        return 0;
    int error = 0;
    if (std::fflush(file) != 0)
        error = errno;
    if (::fsync(::fileno(file)) != 0 && errno != EINVAL && errno != EROFS && error == 0)
        error = errno;
    if (std::fclose(file) != 0 && error == 0)
        error = errno;
    return error;
}
