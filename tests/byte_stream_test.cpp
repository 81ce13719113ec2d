#include "archive/byte_stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FileByteStream, NullStreamGivesNothing) {
    FileByteStream stream(nullptr);
    EXPECT_EQ(stream.Get(), -1);
    EXPECT_FALSE(stream.Put(1));
}

TEST(FileByteStream, EndOfFileStaysUntilRepositioned) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    FileByteStream stream(file);
    EXPECT_TRUE(stream.Put(0x1FF));  // only the low byte is stored
    EXPECT_TRUE(stream.Put(0x80));
    std::rewind(file);
    EXPECT_EQ(stream.Get(), 0xFF);
    EXPECT_EQ(stream.Get(), 0x80);
    EXPECT_EQ(stream.Get(), -1);
    EXPECT_EQ(stream.Get(), -1);
    std::fseek(file, 1, SEEK_SET);
    EXPECT_EQ(stream.Get(), 0x80);
    std::fclose(file);
}

// A memory stream with the bytes already written and the position after them.
struct Written {
    Written(Bytes bytes, int size) : storage(static_cast<std::size_t>(size), 0xEE), stream(storage.data(), size) {
        for (std::uint8_t b : bytes) stream.Put(b);
    }
    Bytes Output() const { return Bytes(storage.begin(), storage.begin() + stream.position); }
    Bytes storage;
    MemoryByteStream stream;
};

TEST(MemoryByteStream, PutStopsAtSize) {
    Written w({}, 4);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(w.stream.Put(i));
    EXPECT_FALSE(w.stream.Put(9));
    EXPECT_EQ(w.stream.position, 4);
    EXPECT_EQ(w.Output(), (Bytes{0, 1, 2, 3}));
}

TEST(MemoryByteStream, GetReadsAtTheSharedPositionUpToSize) {
    Written w({1, 2, 3}, 8);
    EXPECT_EQ(w.stream.Get(), 0xEE);  // the byte after the last one written
    EXPECT_EQ(w.stream.position, 4);
    w.stream.position = 8;
    EXPECT_EQ(w.stream.Get(), -1);
    EXPECT_EQ(w.stream.position, 8);
}

struct CopyBackCase {
    const char* name;
    Bytes written;
    int size;
    int distance;
    int count;
    bool result;
    Bytes output;  // the whole output afterwards
};

class CopyBackTest : public ::testing::TestWithParam<CopyBackCase> {};

TEST_P(CopyBackTest, AppendsOrRefusesWhole) {
    const CopyBackCase& c = GetParam();
    Written w(c.written, c.size);
    EXPECT_EQ(w.stream.CopyBack(c.distance, c.count), c.result);
    EXPECT_EQ(w.Output(), c.output);
}

INSTANTIATE_TEST_SUITE_P(
    MemoryByteStream, CopyBackTest,
    ::testing::Values(
        CopyBackCase{"RepeatsLastByte", {7, 9}, 16, 1, 5, true, {7, 9, 9, 9, 9, 9, 9}},
        CopyBackCase{"RepeatsPattern", {0x41, 0x42}, 16, 2, 4, true, {0x41, 0x42, 0x41, 0x42, 0x41, 0x42}},
        CopyBackCase{"BeforeFirstByte", {1, 2}, 16, 3, 1, false, {1, 2}},
        CopyBackCase{"WouldNotFitWhole", {1, 2, 3, 4, 5}, 7, 2, 3, false, {1, 2, 3, 4, 5}},
        CopyBackCase{"ExactlyFits", {1, 2, 3, 4, 5}, 7, 2, 2, true, {1, 2, 3, 4, 5, 4, 5}},
        CopyBackCase{"CountZero", {1, 2}, 16, 2, 0, true, {1, 2}},
        CopyBackCase{"DistanceZeroKeepsBuffer", {1, 2}, 16, 0, 2, true, {1, 2, 0xEE, 0xEE}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MemoryByteStream, CopyBackDistanceZeroKeepsEarlierContents) {
    Bytes storage(16);
    for (int i = 0; i < 16; ++i) storage[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0xA0 + i);
    MemoryByteStream stream(storage.data(), 16);
    stream.position = 10;
    EXPECT_TRUE(stream.CopyBack(0, 2));
    EXPECT_EQ(stream.position, 12);
    EXPECT_EQ(storage[10], 0xAA);
    EXPECT_EQ(storage[11], 0xAB);
}

}  // namespace
