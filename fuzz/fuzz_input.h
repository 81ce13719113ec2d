// Reading a fuzz input as a few fields followed by a body, and the scratch folder the file-writing
// targets work in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzz {

// Fields are taken from the front; a field past the end reads as zero, so every input is usable.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }
    std::uint16_t U16() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }
    std::uint32_t U32() {
        const std::uint32_t low = U16();
        return low | static_cast<std::uint32_t>(U16()) << 16;
    }

    const std::uint8_t* Rest() const { return data_ + used_; }
    std::size_t RestSize() const { return size_ - used_; }
    // Up to count bytes of the rest, consumed.
    std::size_t Take(std::size_t count) {
        const std::size_t taken = count < RestSize() ? count : RestSize();
        used_ += taken;
        return taken;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

// The checks of a target: a broken one stops the fuzzer with a report of the input.
inline void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

// A folder of this process's own, on a memory file system where there is one, emptied at exit.
inline const std::string& ScratchFolder(const char* target) {
    static const std::string folder = [target] {
        std::error_code error;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, error) || access(base.c_str(), W_OK) != 0)
            base = std::filesystem::temp_directory_path();
        std::filesystem::path path = base / ("quillmere-fuzz-" + std::string(target) + "-" +
                                             std::to_string(getpid()));
        std::filesystem::remove_all(path, error);
        std::filesystem::create_directories(path);
        return path.string();
    }();
    static const int cleanup = std::atexit([] {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    });
    (void)cleanup;
    return folder;
}

}  // namespace fuzz
