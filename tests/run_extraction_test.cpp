#include "extract/run_extraction.h"

#include "archive/palette.h"
#include "extract/version_profile.h"
#include "platform/file.h"
#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using test::RomBuilder;
using test::TempDir;

bool IsEmptyFolder(const std::string& path) {
    return std::filesystem::is_empty(path);
}

struct ProfileCase {
    int versionIndex;
    test::Offsets offsets;
};

class ProfileTest : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileTest, VersionIndexChoosesWhereThePalettesAreRead) {
    // Different colours at each version's palette offsets show which ones were read.
    RomBuilder rom;
    rom.Colours(test::kJp.paletteA, {0x001F}).Colours(test::kJp.paletteB, {0x03E0});
    rom.Colours(test::kUs.paletteA, {0x7C00}).Colours(test::kUs.paletteB, {0x7FFF});
    TempDir dir;
    rom.WriteTo(dir / "image.smc");
    ASSERT_EQ(RunExtraction((dir / "image.smc").c_str(), dir.Path().c_str(), GetParam().versionIndex),
              kRunCompleted);
    const bool jp = GetParam().offsets.paletteA == test::kJp.paletteA;
    EXPECT_EQ(Palettes().paletteA[0], jp ? 0x0000FFu : 0xFF0000u);
    EXPECT_EQ(Palettes().paletteB[0], jp ? 0x00FF00u : 0xFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(RunExtraction, ProfileTest,
                         ::testing::Values(ProfileCase{0, test::kJp}, ProfileCase{1, test::kUs},
                                           ProfileCase{5, test::kUs}));

TEST(RunExtraction, ProfilesHoldTheTableOffsets) {
    const VersionProfileJp10 jp;
    const VersionProfileUs us;
    const VersionProfile* profiles[] = {&jp, &us};
    const test::Offsets expected[] = {test::kJp, test::kUs};
    for (int i = 0; i < 2; ++i) {
        const VersionProfile& p = *profiles[i];
        const test::Offsets& e = expected[i];
        EXPECT_EQ(p.paletteAOffset(), e.paletteA);
        EXPECT_EQ(p.paletteBOffset(), e.paletteB);
        EXPECT_EQ(p.creatureTableOffset(), e.creatures);
        EXPECT_EQ(p.wallOrnateIndexOffset(), e.wallIndex);
        EXPECT_EQ(p.wallOrnateTableOffset(), e.wallTable);
        EXPECT_EQ(p.floorOrnateIndexOffset(), e.floorIndex);
        EXPECT_EQ(p.floorOrnateTableOffset(), e.floorTable);
    }
}

struct OpenCase {
    const char* name;
    bool makeDirectory;
    int error;
};

class ImageNotOpenedTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(ImageNotOpenedTest, ReturnsMinusOneAndTouchesNothing) {
    TempDir dir;
    const std::string image = dir / "image.smc";
    if (GetParam().makeDirectory) std::filesystem::create_directory(image);
    std::filesystem::create_directory(dir / "out");
    ExtractionReport report;
    EXPECT_EQ(RunExtraction(image.c_str(), (dir / "out").c_str(), 0, &report), kRunImageNotOpened);
    EXPECT_EQ(report.openError, GetParam().error);
    EXPECT_TRUE(IsEmptyFolder(dir / "out"));
}

INSTANTIATE_TEST_SUITE_P(RunExtraction, ImageNotOpenedTest,
                         ::testing::Values(OpenCase{"Missing", false, ENOENT},
                                           OpenCase{"Directory", true, EISDIR}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RunExtraction, MissingOutputFolderFailsTheFirstStage) {
    TempDir dir;
    RomBuilder().WriteTo(dir / "image.smc");
    ExtractionReport report;
    EXPECT_EQ(RunExtraction((dir / "image.smc").c_str(), (dir / "none").c_str(), 0, &report),
              kRunRawItemsFailed);
    EXPECT_EQ(report.Stage(OutputFolder::Raw).failure, kFolderNotCreated);
    EXPECT_FALSE(test::FileExists(dir / "none"));
}

TEST(RunExtraction, ImageIsNotChanged) {
    TempDir dir;
    RomBuilder rom;
    rom.ItemBytes(0, 3, {0, 0, 0, 2, 0x02, 1, 2});
    rom.WriteTo(dir / "image.smc");
    chmod((dir / "image.smc").c_str(), 0444);
    ASSERT_EQ(RunExtraction((dir / "image.smc").c_str(), dir.Path().c_str(), 1), kRunCompleted);
    EXPECT_EQ(test::ReadFile(dir / "image.smc"), rom.Bytes());
}

struct FolderCase {
    const char* name;
    std::string folder;
    bool fits;
};

// The longest path below the folder is "/Floor_Ornates/00.0.0.bmp", 25 bytes.
class OutputFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(OutputFolderTest, FitsOnlyWhenNoPathIsCut) {
    EXPECT_EQ(OutputFolderFits(GetParam().folder.c_str()), GetParam().fits);
}

INSTANTIATE_TEST_SUITE_P(
    RunExtraction, OutputFolderTest,
    ::testing::Values(FolderCase{"Empty", "", false},
                      FolderCase{"Short", "/tmp/out", true},
                      FolderCase{"LongestThatFits", "/" + std::string(234, 'a'), true},
                      FolderCase{"OneTooLong", "/" + std::string(235, 'a'), false},
                      FolderCase{"TrailingSeparatorNeedsNoOther", "/" + std::string(234, 'a') + "/", true},
                      FolderCase{"LongerThanABuffer", std::string(300, 'a'), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RunExtraction, RefusedFolderOpensAndCreatesNothing) {
    TempDir dir;
    RomBuilder().WriteTo(dir / "image.smc");
    const std::string longFolder = dir / std::string(250, 'x');
    EXPECT_EQ(RunExtraction((dir / "image.smc").c_str(), longFolder.c_str(), 0), kRunOutputFolderRefused);
    EXPECT_EQ(RunExtraction((dir / "image.smc").c_str(), "", 0), kRunOutputFolderRefused);
    EXPECT_EQ(RunExtraction((dir / "image.smc").c_str(), nullptr, 0), kRunOutputFolderRefused);
    EXPECT_FALSE(test::FileExists("/Raw"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(RunExtraction, CompletedRunReportsEveryStage) {
    TempDir dir;
    RomBuilder().WriteTo(dir / "image.smc");
    ExtractionReport report;
    ASSERT_EQ(RunExtraction((dir / "image.smc").c_str(), dir.Path().c_str(), 0, &report), kRunCompleted);
    for (const StageReport& stage : report.stages) {
        EXPECT_TRUE(stage.ran);
        EXPECT_EQ(stage.failedFiles, 0u);
    }
    EXPECT_TRUE(report.Stage(OutputFolder::Raw).succeeded);
    EXPECT_EQ(report.FailedFiles(), 0u);
}

TEST(RunExtraction, FileErrorOfTheImageLeavesTheRun) {
    // A pipe cannot seek: the first seek raises the file error, which passes out of the run. The
    // open does not wait for a writer, so none is needed.
    TempDir dir;
    const std::string fifo = dir / "image.smc";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    try {
        RunExtraction(fifo.c_str(), dir.Path().c_str(), 0);
        ADD_FAILURE() << "no file error";
    } catch (const platform::FileError& error) {
        EXPECT_STREQ(error.Path(), fifo.c_str());
        EXPECT_EQ(error.Error(), ESPIPE);
        EXPECT_NE(std::string(error.what()).find(fifo), std::string::npos);
    }
}

}  // namespace
