#include "extract/path_buffer.h"

#include "platform/file.h"

#include <cerrno>
#include <cstring>

PathBuffer::PathBuffer() { std::memset(bytes_, 0, sizeof bytes_); }

PathBuffer::PathBuffer(const char* text) {
    std::memset(bytes_, 0, sizeof bytes_);
    if (!text) return;
    // Paths here are UTF-8 or plain bytes, so the cut is by bytes.
    for (std::size_t i = 0; i < kMaxLength && text[i] != '\0'; ++i) bytes_[i] = text[i];
}

std::size_t PathBuffer::Length() const { return ::strnlen(bytes_, kMaxLength); }

void PathBuffer::Append(const char* text) {
    std::size_t end = Length();
    while (*text != '\0' && end < kMaxLength) bytes_[end++] = *text++;
    bytes_[end] = '\0';
}

PathBuffer& PathBuffer::Join(const char* name) {
    std::size_t length = Length();
    if (length == 0 || bytes_[length - 1] != kSeparator) {
        const char separator[] = {kSeparator, '\0'};
        Append(separator);
    }
    Append(name);
    return *this;
}

bool EnsureFolder(const char* path) {
    if (platform::PathExists(path)) {
        if (platform::IsDirectory(path)) return true;
        errno = ENOTDIR;  // a file of that name is in the way
        return false;
    }
    return platform::CreateDirectory(path);
}
