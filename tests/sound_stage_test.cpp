#include "sound/sounds.h"

#include "extract/run_extraction.h"
#include "platform/file.h"
#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

// The item numbers that hold sounds, written out apart from the product's table.
const std::vector<unsigned> kSoundItems = {
    583, 584, 585, 586, 587, 588, 589, 590, 591, 592, 593, 594, 595, 596, 597, 599, 600, 601, 615,
    616, 617, 619, 620, 622, 623, 624, 625, 626, 627, 628, 629, 630, 631, 635, 637, 638, 639, 640,
    641, 642, 643, 644, 646, 647, 648};

// A sound item of the given block count, every block shift 12, filter 0, codes 1, at a rate value.
Bytes SoundItem(unsigned blocks, std::uint8_t rateHigh = 0x01, std::uint8_t rateLow = 0x00) {
    const unsigned length = 11 + 9 * blocks;
    Bytes item = {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                  0, 0, 0, 0, 0, rateHigh, rateLow, 0, 0};
    for (unsigned b = 0; b < blocks; ++b) {
        item.push_back(0xC0);
        item.insert(item.end(), 8, 0x11);
    }
    return item;
}

std::string Name(unsigned number, const char* extension) {
    char name[16];
    std::snprintf(name, sizeof name, "%03u.%s", number, extension);
    return name;
}

class SoundStage : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory(out / "Raw"); }

    std::string RawFile(unsigned number) const { return out / ("Raw/" + Name(number, "bin")); }
    std::string WaveFile(unsigned number) const { return out / ("Snd/" + Name(number, "wav")); }

    void FillRaw(const std::vector<unsigned>& numbers, const Bytes& item) const {
        for (unsigned number : numbers) test::WriteFile(RawFile(number), item);
    }

    std::set<std::string> WaveNames() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(out / "Snd"))
            names.insert(entry.path().filename().string());
        return names;
    }

    bool Run(StageReport* report = nullptr) const {
        return ExtractSounds(nullptr, PathBuffer(out.Path().c_str()), report);
    }

    test::TempDir out;
};

TEST_F(SoundStage, ConvertsExactlyTheSoundItems) {
    for (unsigned number = 0; number < 695; ++number)
        test::WriteFile(RawFile(number), SoundItem(number % 3));
    StageReport report;
    EXPECT_TRUE(Run(&report));
    EXPECT_EQ(report.failedFiles, 0u);

    std::set<std::string> expected;
    for (unsigned number : kSoundItems) expected.insert(Name(number, "wav"));
    EXPECT_EQ(WaveNames(), expected);
    // Each sound keeps its own item's length.
    for (unsigned number : kSoundItems)
        EXPECT_EQ(test::ReadFile(WaveFile(number)).size(), 58 + 32 * (number % 3)) << number;
}

TEST_F(SoundStage, MissingRawItemsLeaveOnlyTheirSoundsOut) {
    const std::vector<unsigned> missing = {583, 600, 631, 648};
    std::vector<unsigned> present;
    std::copy_if(kSoundItems.begin(), kSoundItems.end(), std::back_inserter(present),
                 [&](unsigned n) { return std::find(missing.begin(), missing.end(), n) == missing.end(); });
    FillRaw(present, SoundItem(2));

    StageReport report;
    EXPECT_TRUE(Run(&report));
    EXPECT_EQ(report.failedFiles, 0u);
    std::set<std::string> expected;
    for (unsigned number : present) expected.insert(Name(number, "wav"));
    EXPECT_EQ(WaveNames(), expected);
    EXPECT_EQ(test::ReadFile(WaveFile(584)).size(), 122u);
}

TEST_F(SoundStage, WithoutRawFolderWritesNothing) {
    fs::remove(out / "Raw");
    EXPECT_TRUE(Run());
    EXPECT_TRUE(WaveNames().empty());
}

TEST_F(SoundStage, FailsWhenTheSoundFolderCannotBeMade) {
    FillRaw(kSoundItems, SoundItem(2));
    test::WriteFile(out / "Snd", {1, 2, 3});
    StageReport report;
    EXPECT_FALSE(Run(&report));
    EXPECT_STREQ(report.failure, kFolderNotCreated);
    EXPECT_EQ(test::ReadFile(out / "Snd"), (Bytes{1, 2, 3}));
}

TEST_F(SoundStage, ItemsWithoutAHeaderLeaveAnEmptyFile) {
    Bytes lengthBelowHeader = SoundItem(3);
    lengthBelowHeader[0] = 10;
    lengthBelowHeader[1] = 0;
    test::WriteFile(RawFile(583), lengthBelowHeader);
    test::WriteFile(RawFile(584), {0x1D, 0x00, 0, 0});
    test::WriteFile(RawFile(585), {});
    // A sound left by an earlier run is replaced, not kept as if it belonged to this item.
    fs::create_directory(out / "Snd");
    test::WriteFile(WaveFile(583), SoundItem(1));

    StageReport report;
    EXPECT_TRUE(Run(&report));
    EXPECT_EQ(report.failedFiles, 0u);
    EXPECT_EQ(WaveNames(), (std::set<std::string>{"583.wav", "584.wav", "585.wav"}));
    for (unsigned number : {583u, 584u, 585u}) EXPECT_TRUE(test::ReadFile(WaveFile(number)).empty()) << number;
}

TEST_F(SoundStage, ShortItemKeepsTheBlocksReadWhole) {
    Bytes item = SoundItem(4);
    item.resize(11 + 9 * 2 + 5);
    test::WriteFile(RawFile(583), item);
    StageReport report;
    EXPECT_TRUE(Run(&report));
    // The input was short, not the output: nothing to count.
    EXPECT_EQ(report.failedFiles, 0u);
    const Bytes wave = test::ReadFile(WaveFile(583));
    ASSERT_EQ(wave.size(), 58u + 2 * 32);
    EXPECT_EQ(wave[46], 64);  // the header still announces all four blocks
}

TEST_F(SoundStage, CountsSoundsThatCannotBeWritten) {
    if (!test::FileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    FillRaw(kSoundItems, SoundItem(1));
    // Large enough to overflow the stream's buffer, so a byte is refused while writing.
    test::WriteFile(RawFile(584), SoundItem(400));
    fs::create_directory(out / "Snd");
    fs::create_directory(WaveFile(583));                    // cannot be created
    fs::create_symlink("/dev/full", WaveFile(584));         // refuses a byte
    fs::create_symlink("/dev/full", WaveFile(585));         // fails only when closed

    StageReport report;
    EXPECT_TRUE(Run(&report));
    EXPECT_EQ(report.failedFiles, 3u);
    // The stage went on with the others.
    for (unsigned number : kSoundItems) {
        if (number > 585) {
            EXPECT_EQ(test::ReadFile(WaveFile(number)).size(), 90u) << number;
        }
    }
}

// Independent readers of the produced file: rate, sample size, channels and frame count.
struct Reader {
    const char* name;
    const char* tool;
    const char* command;  // printf pattern taking the file path
};

void PrintTo(const Reader& r, std::ostream* os) { *os << r.name; }

class WaveReader : public ::testing::TestWithParam<Reader> {};

TEST_P(WaveReader, ReadsTheSound) {
    if (access(GetParam().tool, X_OK) != 0) GTEST_SKIP() << GetParam().tool << " missing";
    test::TempDir out;
    fs::create_directory(out / "Raw");
    test::WriteFile(out / "Raw/583.bin", SoundItem(7, 0x01, 0x00));
    ASSERT_TRUE(ExtractSounds(nullptr, PathBuffer(out.Path().c_str())));

    char command[1024];
    std::snprintf(command, sizeof command, GetParam().command, (out / "Snd/583.wav").c_str());
    std::FILE* pipe = popen(command, "r");
    ASSERT_NE(pipe, nullptr);
    char line[256] = {};
    std::string text;
    while (std::fgets(line, sizeof line, pipe)) text += line;
    ASSERT_EQ(pclose(pipe), 0) << text;
    EXPECT_EQ(text, "12280 16 1 112\n");
}

INSTANTIATE_TEST_SUITE_P(
    SoundStage, WaveReader,
    ::testing::Values(
        Reader{"PythonWave", "/usr/bin/python3",
               "/usr/bin/python3 -c \"import sys, wave; w = wave.open(sys.argv[1]); "
               "print(w.getframerate(), 8 * w.getsampwidth(), w.getnchannels(), w.getnframes())\" "
               "'%s' 2>&1"},
        Reader{"Soxi", "/usr/bin/soxi",
               "f='%s'; echo $(/usr/bin/soxi -r \"$f\") $(/usr/bin/soxi -b \"$f\") "
               "$(/usr/bin/soxi -c \"$f\") $(/usr/bin/soxi -s \"$f\") 2>&1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SoundExtraction, RunWritesSoundsFromTheImage) {
    test::TempDir work;
    test::RomBuilder rom;
    rom.ItemBytes(583, 0, SoundItem(2, 0x01, 0x00));
    rom.ItemBytes(600, 0, SoundItem(5, 0x00, 0x00));
    rom.ItemBytes(648, 0, SoundItem(1, 0x02, 0x00));
    rom.WriteTo(work / "dm.smc");
    fs::create_directory(work / "out");

    ExtractionReport report;
    ASSERT_EQ(RunExtraction((work / "dm.smc").c_str(), (work / "out").c_str(), 0, &report), kRunCompleted);
    const StageReport& sounds = report.Stage(OutputFolder::Snd);
    EXPECT_TRUE(sounds.ran);
    EXPECT_TRUE(sounds.succeeded);
    EXPECT_EQ(sounds.failedFiles, 0u);

    // The other sound items are empty in this image: their WAV files are empty too.
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(work / "out/Snd")) {
        const std::string name = entry.path().filename().string();
        if (name != "583.wav" && name != "600.wav" && name != "648.wav") {
            EXPECT_EQ(fs::file_size(entry.path()), 0u) << name;
        }
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 45u);

    const Bytes first = test::ReadFile(work / "out/Snd/583.wav");
    ASSERT_EQ(first.size(), 122u);
    EXPECT_EQ(first[24] | first[25] << 8, 12280);
    // Codes 1 at shift 12 give 2048, doubled; the last block is silent.
    EXPECT_EQ(first[58] | first[59] << 8, 4096);
    EXPECT_EQ(first[120] | first[121] << 8, 0);
    EXPECT_EQ(test::ReadFile(work / "out/Snd/600.wav").size(), 58u + 5 * 32);
    const Bytes last = test::ReadFile(work / "out/Snd/648.wav");
    ASSERT_EQ(last.size(), 90u);
    EXPECT_EQ(last[24] | last[25] << 8 | last[26] << 16, 5 * 512 + 11000);
}

}  // namespace
