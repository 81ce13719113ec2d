#include "tests/support/process.h"
#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using test::RomBuilder;
using test::TempDir;

test::ProcessResult Cli(const std::vector<std::string>& arguments) {
    return test::RunProgram(QUILLMERE_CLI, arguments);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    const char* inOut;
    const char* inErr;
};

class CliUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageTest, ExitsAndSays) {
    const UsageCase& c = GetParam();
    test::ProcessResult r = Cli(c.arguments);
    EXPECT_EQ(r.status, c.status);
    EXPECT_TRUE(Contains(r.out, c.inOut)) << r.out;
    EXPECT_TRUE(Contains(r.err, c.inErr)) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliUsageTest,
    ::testing::Values(UsageCase{"Help", {"--help"}, 0, "--game", ""},
                      UsageCase{"Version", {"--version"}, 0, "quillmere-cli 0.1.0", ""},
                      UsageCase{"NoArguments", {}, 2, "", "--game is required"},
                      UsageCase{"UnknownGame", {"--game", "eu", "a.smc", "out"}, 2, "", "eu"},
                      UsageCase{"MissingFolder", {"--game", "jp", "a.smc"}, 2, "", "OUTPUT-FOLDER"},
                      UsageCase{"ExtraArgument", {"--game", "jp", "a", "b", "c"}, 2, "", "c"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cli, CompletedRunCreatesTheFolderAndCountsFiles) {
    TempDir dir;
    RomBuilder().WriteTo(dir / "image.smc");
    test::ProcessResult r = Cli({"--game", "us", dir / "image.smc", dir / "new/nested"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Raw")) << r.out;
    EXPECT_TRUE(Contains(r.out, "695 files")) << r.out;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(test::FileExists(dir / "new/nested/Raw/694.bin"));
}

struct FailureCase {
    const char* name;
    // Prepares the folder; returns the image path and the output folder.
    std::function<std::pair<std::string, std::string>(const TempDir&)> prepare;
    std::vector<std::string> inErr;  // {path} is replaced by the image path, {out} by the folder
};

class CliFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CliFailureTest, ExitsOneWithOneClearLine) {
    TempDir dir;
    auto [image, out] = GetParam().prepare(dir);
    test::ProcessResult r = Cli({"--game", "jp", image, out});
    EXPECT_EQ(r.status, 1);
    for (std::string part : GetParam().inErr) {
        if (part == "{path}") part = image;
        if (part == "{out}") part = out;
        EXPECT_TRUE(Contains(r.err, part)) << r.err;
    }
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliFailureTest,
    ::testing::Values(
        FailureCase{"MissingImage",
                    [](const TempDir& d) { return std::pair(d / "none.smc", d / "out"); },
                    {"{path}", "No such file or directory"}},
        FailureCase{"DirectoryAsImage",
                    [](const TempDir& d) { return std::pair(d.Path(), d / "out"); },
                    {"{path}", "Is a directory"}},
        FailureCase{"CutImage",
                    [](const TempDir& d) {
                        RomBuilder().Truncate(1000).WriteTo(d / "cut.smc");
                        return std::pair(d / "cut.smc", d / "out");
                    },
                    {"{path}", "item type table"}},
        FailureCase{"FolderIsAFile",
                    [](const TempDir& d) {
                        RomBuilder().WriteTo(d / "image.smc");
                        test::WriteFile(d / "file", {1});
                        return std::pair(d / "image.smc", d / "file");
                    },
                    {"{out}"}},
        FailureCase{"FolderTooLong",
                    [](const TempDir& d) {
                        RomBuilder().WriteTo(d / "image.smc");
                        return std::pair(d / "image.smc", d / std::string(240, 'x'));
                    },
                    {"too long"}},
        FailureCase{"RawFileCannotBeWritten",
                    [](const TempDir& d) {
                        RomBuilder().WriteTo(d / "image.smc");
                        std::filesystem::create_directories(d / "out/Raw/007.bin");
                        return std::pair(d / "image.smc", d / "out");
                    },
                    {"could not be written", "Raw 1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cli, ImageThatCannotBeOpenedCreatesNoFolder) {
    TempDir dir;
    EXPECT_EQ(Cli({"--game", "jp", dir / "none.smc", dir / "out"}).status, 1);
    EXPECT_FALSE(test::FileExists(dir / "out"));
}

TEST(Cli, RefusedFolderIsNotCreated) {
    TempDir dir;
    RomBuilder().WriteTo(dir / "image.smc");
    const std::string folder = dir / (std::string(240, 'x') + "/sub");
    EXPECT_EQ(Cli({"--game", "jp", dir / "image.smc", folder}).status, 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
