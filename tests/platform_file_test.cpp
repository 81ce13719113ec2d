#include "platform/file.h"

#include "archive/byte_stream.h"
#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Seek, Read and the byte stream share one position, whatever order they come in.
TEST(PlatformFile, SeekReadAndStreamShareOnePosition) {
    test::TempDir dir;
    Bytes bytes(100);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
    test::WriteFile(dir / "f", bytes);

    platform::File file;
    ASSERT_TRUE(file.OpenForReading((dir / "f").c_str()));
    FileByteStream stream(file.Stream());
    std::uint8_t chunk[4];

    file.Seek(10);
    EXPECT_EQ(stream.Get(), 10);
    EXPECT_EQ(file.Read(chunk, 4), 4u);
    EXPECT_EQ(chunk[0], 11);
    file.Seek(15);  // where the stream already stands
    EXPECT_EQ(stream.Get(), 15);
    file.Seek(2);   // back
    EXPECT_EQ(stream.Get(), 2);

    // Past the end: a short read, then -1 until a seek moves the stream again, even a seek to
    // the very position where the end was met.
    file.Seek(98);
    EXPECT_EQ(file.Read(chunk, 4), 2u);
    EXPECT_EQ(stream.Get(), -1);
    file.Seek(100);
    EXPECT_EQ(stream.Get(), -1);
    file.Seek(99);
    EXPECT_EQ(stream.Get(), 99);
    file.Seek(500);
    EXPECT_EQ(file.Read(chunk, 4), 0u);
}

TEST(PlatformFile, OpenFailuresKeepTheReason) {
    test::TempDir dir;
    platform::File file;
    EXPECT_FALSE(file.OpenForReading((dir / "missing").c_str()));
    EXPECT_EQ(file.OpenError(), ENOENT);
    EXPECT_FALSE(file.OpenForReading(dir.Path().c_str()));
    EXPECT_EQ(file.OpenError(), EISDIR);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.CreateForWriting((dir / "missing/f").c_str()));
    EXPECT_EQ(file.OpenError(), ENOENT);
    EXPECT_THROW(file.Seek(0), platform::FileError);
}

TEST(PlatformFile, WrittenBytesReachTheDiskAtClose) {
    test::TempDir dir;
    platform::File file;
    ASSERT_TRUE(file.CreateForWriting((dir / "f").c_str()));
    FileByteStream stream(file.Stream());
    for (int i = 0; i < 40000; ++i) ASSERT_TRUE(stream.Put(i));
    EXPECT_TRUE(file.Close());
    const Bytes written = test::ReadFile(dir / "f");
    ASSERT_EQ(written.size(), 40000u);
    EXPECT_EQ(written[39999], static_cast<std::uint8_t>(39999));
}

}  // namespace
