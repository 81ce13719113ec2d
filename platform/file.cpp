#include "platform/file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace platform {

namespace {

void CopyText(char* target, std::size_t capacity, const char* text) {
    std::snprintf(target, capacity, "%s", text ? text : "");
}

}  // namespace

FileError::FileError(const char* operation, const char* path, int error) : error_(error) {
    CopyText(path_, sizeof path_, path);
    std::snprintf(message_, sizeof message_, "%s failed on %s: %s", operation, path_,
                  error ? std::strerror(error) : "unknown error");
}

File::~File() { Close(); }

bool File::OpenForReading(const char* path) {
    Close();
    CopyText(path_, sizeof path_, path);
    // A plain open of a named pipe waits for a writer, for ever if none comes. Opened without
    // waiting, a pipe is taken at once and fails at its first seek like any stream that cannot
    // seek; reads wait as usual again once the file is open.
    errno = 0;
    const int fd = path ? ::open(path, O_RDONLY | O_NONBLOCK) : -1;
    if (fd < 0) {
        openError_ = errno ? errno : ENOENT;
        return false;
    }
    // A directory opens too and only the first read fails; refuse it here so that an image path
    // naming a folder is reported like any other file that cannot be opened.
    struct stat info;
    const bool described = fstat(fd, &info) == 0;
    if (described && S_ISDIR(info.st_mode)) {
        ::close(fd);
        openError_ = EISDIR;
        return false;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!Adopt(fd, "rb")) return false;
    if (described) StartReading(info.st_dev, info.st_ino);
    return true;
}

bool File::CreateForWriting(const char* path) {
    Close();
    CopyText(path_, sizeof path_, path);
    errno = 0;
    // A file made new cannot be one this process reads, so a fresh output folder costs one open
    // per file. Only a file that already exists is looked at before it is truncated.
    int fd = path ? ::open(path, O_WRONLY | O_CREAT | O_EXCL, 0666) : -1;
    if (fd < 0 && errno == EEXIST) {
        struct stat info;
        if (firstReading_ && stat(path, &info) == 0 && IsBeingRead(info.st_dev, info.st_ino)) {
            openError_ = EBUSY;
            return false;
        }
        fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    }
    if (fd < 0) {
        openError_ = errno ? errno : ENOENT;
        return false;
    }
    return Adopt(fd, "wb");
}

bool File::Adopt(int fd, const char* mode) {
    stream_ = fdopen(fd, mode);
    if (!stream_) {
        openError_ = errno;
        ::close(fd);
        return false;
    }
    openError_ = 0;
    std::setvbuf(stream_, buffer_, _IOFBF, sizeof buffer_);
    return true;
}

File* File::firstReading_ = nullptr;

void File::StartReading(std::uint64_t device, std::uint64_t inode) {
    reading_ = true;
    device_ = device;
    inode_ = inode;
    nextReading_ = firstReading_;
    firstReading_ = this;
}

void File::StopReading() {
    if (!reading_) return;
    for (File** link = &firstReading_; *link; link = &(*link)->nextReading_) {
        if (*link == this) {
            *link = nextReading_;
            break;
        }
    }
    reading_ = false;
    nextReading_ = nullptr;
}

bool File::IsBeingRead(std::uint64_t device, std::uint64_t inode) {
    for (const File* file = firstReading_; file; file = file->nextReading_)
        if (file->device_ == device && file->inode_ == inode) return true;
    return false;
}

void File::Seek(std::int64_t offset) {
    // Most seeks of a run land where the stream already stands (the next item, the next record);
    // those need no system call. A stream at its end still seeks, which clears the end mark.
    if (stream_ && offset >= 0 && !std::feof(stream_) && ftello(stream_) == offset) return;
    if (!stream_ || offset < 0 || fseeko(stream_, static_cast<off_t>(offset), SEEK_SET) != 0)
        throw FileError("seek", path_, stream_ ? errno : EBADF);
}

std::size_t File::Read(void* buffer, std::size_t count) {
    if (!stream_) throw FileError("read", path_, EBADF);
    std::size_t got = std::fread(buffer, 1, count, stream_);
    if (got < count && std::ferror(stream_)) throw FileError("read", path_, errno);
    return got;
}

bool File::Close() {
    StopReading();
    if (!stream_) return true;
    bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    return closed;
}

bool IsDirectory(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool PathExists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0;
}

bool CreateDirectory(const char* path) { return mkdir(path, 0777) == 0; }

}  // namespace platform
