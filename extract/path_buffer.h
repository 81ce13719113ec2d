// Fixed-size paths. Every folder and file name of a run is composed in a PathBuffer, which never
// grows past 260 bytes: appends stop at the end of the buffer.
#pragma once

#include <cstddef>

class PathBuffer {
public:
    static constexpr std::size_t kMaxLength = 260;
    static constexpr char kSeparator = '/';

    PathBuffer();
    // Copies at most the first 260 bytes of text; null gives an empty buffer.
    explicit PathBuffer(const char* text);

    // Appends text with no separator, cut at the buffer's end.
    void Append(const char* text);
    // Appends a separator unless the text already ends with one, then the name.
    PathBuffer& Join(const char* name);

    const char* Text() const { return bytes_; }
    std::size_t Length() const;

private:
    char bytes_[kMaxLength + 1];
};

static_assert(sizeof(PathBuffer) == PathBuffer::kMaxLength + 1);

// True when the path is a directory after the call: an existing directory, or one just created
// (only the last component is created). An existing file of that name gives false.
bool EnsureFolder(const char* path);
