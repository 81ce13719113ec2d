// Small stand-ins for the operating system services the extraction needs: a binary file object
// with absolute seek, counted read and a byte stream that share one position, and folder tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>

namespace platform {

// Raised by File when a seek fails or a read fails for a reason other than the end of the file.
// The extraction code lets it pass; the front ends catch it and tell the user.
class FileError : public std::exception {
public:
    FileError(const char* operation, const char* path, int error);

    const char* what() const noexcept override { return message_; }
    const char* Path() const noexcept { return path_; }
    int Error() const noexcept { return error_; }

private:
    char path_[512];
    char message_[768];
    int error_;
};

// A file opened for binary reading or writing over one std::FILE stream. Seek, Read and the
// stream itself all move the same position. Destruction closes the file.
class File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens an existing file for reading. A directory is refused. On failure returns false and
    // keeps the system's error number.
    bool OpenForReading(const char* path);
    // Creates or truncates a file for writing. A file that a File of this process holds open for
    // reading is refused (EBUSY) and left as it is: an output named like the image, or a hard
    // link to it, would otherwise be emptied while the run reads the image.
    bool CreateForWriting(const char* path);

    bool IsOpen() const { return stream_ != nullptr; }
    int OpenError() const { return openError_; }

    // Moves to an absolute offset from the start of the file; raises FileError on failure.
    void Seek(std::int64_t offset);
    // Reads up to count bytes and returns how many arrived (fewer at the end of the file);
    // raises FileError on a read error.
    std::size_t Read(void* buffer, std::size_t count);
    // The stream, for byte-at-a-time reading and writing.
    std::FILE* Stream() const { return stream_; }

    // Closes the file; false when the close reported an error (buffered data not written).
    bool Close();

    // Every stream gets this object's own buffer: the C library then neither allocates one nor
    // asks the file system for a block size, and a whole output file of the usual size leaves in
    // one write.
    static constexpr std::size_t kBufferSize = 16 * 1024;

private:
    // Wraps an open descriptor in this object's stream with its own buffer; closes it on failure.
    bool Adopt(int fd, const char* mode);

    // Files open for reading form a list through their objects, so that no file is created over
    // one of them; it needs no allocation and the extraction runs on one thread.
    void StartReading(std::uint64_t device, std::uint64_t inode);
    void StopReading();
    static bool IsBeingRead(std::uint64_t device, std::uint64_t inode);

    std::FILE* stream_ = nullptr;
    bool reading_ = false;
    std::uint64_t device_ = 0;
    std::uint64_t inode_ = 0;
    File* nextReading_ = nullptr;
    static File* firstReading_;
    char buffer_[kBufferSize];
    char path_[512] = {};
    int openError_ = 0;
};

// True when the path names an existing directory.
bool IsDirectory(const char* path);
// True when the path names anything that exists.
bool PathExists(const char* path);
// Creates one directory (the last component only); false when it could not be created.
bool CreateDirectory(const char* path);

}  // namespace platform
