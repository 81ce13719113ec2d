#include "extract/path_buffer.h"

#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

namespace {

struct JoinCase {
    const char* start;
    const char* name;
    const char* joined;
};

class JoinTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinTest, InsertsOneSeparator) {
    PathBuffer path(GetParam().start);
    EXPECT_STREQ(path.Join(GetParam().name).Text(), GetParam().joined);
}

INSTANTIATE_TEST_SUITE_P(PathBuffer, JoinTest,
                         ::testing::Values(JoinCase{"/Out", "Raw", "/Out/Raw"},
                                           JoinCase{"/", "Raw", "/Raw"},
                                           JoinCase{"", "Raw", "/Raw"},
                                           JoinCase{"/Out/sub", "Raw", "/Out/sub/Raw"},
                                           JoinCase{"/Out/", "Raw", "/Out/Raw"},
                                           JoinCase{"a\\b", "Raw", "a\\b/Raw"}));

TEST(PathBuffer, ConstructionKeepsAtMost260Bytes) {
    EXPECT_STREQ(PathBuffer(nullptr).Text(), "");
    EXPECT_STREQ(PathBuffer().Text(), "");
    const std::string longText(300, 'x');
    PathBuffer cut(longText.c_str());
    EXPECT_EQ(cut.Length(), 260u);
    EXPECT_EQ(std::string(cut.Text()), longText.substr(0, 260));
}

TEST(PathBuffer, AppendAndJoinStopAtTheEnd) {
    const std::string text258(258, 'a');
    PathBuffer joined(text258.c_str());
    joined.Join("Raw");
    EXPECT_EQ(std::string(joined.Text()), text258 + "/R");

    const std::string text260(260, 'b');
    PathBuffer full(text260.c_str());
    full.Append("more");
    EXPECT_EQ(std::string(full.Text()), text260);
    full.Join("Raw");
    EXPECT_EQ(std::string(full.Text()), text260);

    // The separator is cut like any other byte: 259 bytes take it and no more.
    const std::string text259(259, 'c');
    PathBuffer edge(text259.c_str());
    edge.Join("Raw");
    EXPECT_EQ(std::string(edge.Text()), text259 + "/");
}

TEST(PathBuffer, CopiesAreIndependent) {
    PathBuffer folder("/out");
    PathBuffer raw = folder;
    raw.Join("Raw");
    EXPECT_STREQ(folder.Text(), "/out");
    EXPECT_STREQ(raw.Text(), "/out/Raw");
}

TEST(EnsureFolder, CreatesOnlyTheLastComponent) {
    test::TempDir dir;
    // Existing directory: true, nothing created.
    EXPECT_TRUE(EnsureFolder(dir.Path().c_str()));
    // Missing folder with an existing parent: created.
    EXPECT_TRUE(EnsureFolder((dir / "new").c_str()));
    struct stat info;
    ASSERT_EQ(stat((dir / "new").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    // Missing parent: false, nothing created.
    EXPECT_FALSE(EnsureFolder((dir / "missing/child").c_str()));
    EXPECT_FALSE(test::FileExists(dir / "missing"));
    // A plain file of that name: false and left alone.
    test::WriteFile(dir / "file", {1, 2, 3});
    EXPECT_FALSE(EnsureFolder((dir / "file").c_str()));
    EXPECT_EQ(test::ReadFile(dir / "file"), (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace
