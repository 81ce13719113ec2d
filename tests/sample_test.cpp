// The sample image: laid out so that a whole run extracts every item, picture and sound from it,
// and its pictures come out as they were drawn.
#include "tools/sample/sample_image.h"
#include "tools/sample/sounds.h"

#include "extract/run_extraction.h"
#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kCreatureCount = 27;
constexpr std::size_t kCreatureRecordSize = 12;
constexpr std::size_t kWaveHeaderSize = 58;
constexpr std::size_t kWaveRateAt = 24;
constexpr std::size_t kWaveSampleCountAt = 46;

struct GameCase {
    const char* name;
    sample::Game game;
    std::int32_t versionIndex;
    test::Offsets offsets;
};

const GameCase kGames[] = {
    {"Jp", sample::Game::Jp, 0, test::kJp},
    {"Us", sample::Game::Us, 1, test::kUs},
};

std::size_t CountFiles(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) ++count;
    return count;
}

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// Pixel (x, y) of a 4-bit BMP file, y counted from the top of the picture.
int BmpPixel(const std::vector<std::uint8_t>& bmp, int x, int y) {
    const int width = static_cast<int>(Le32(bmp, 18));
    const int height = static_cast<int>(Le32(bmp, 22));
    const int stride = (width * 4 + 31) / 32 * 4;
    const std::uint8_t b = bmp[Le32(bmp, 10) + static_cast<std::size_t>((height - 1 - y) * stride + x / 2)];
    return x % 2 == 0 ? b >> 4 : b & 0x0F;
}

// Views the creature table implies: pair 0 gives one, pair 1 two more, pair 2 one more.
std::size_t ImpliedCreatureViews(const std::vector<std::uint8_t>& image, std::uint32_t tableOffset) {
    std::size_t views = 0;
    for (std::size_t c = 0; c < kCreatureCount; ++c) {
        const std::uint8_t* record = &image[test::kHeader + tableOffset + kCreatureRecordSize * c];
        if (record[4] == 0) continue;
        views += 1 + (record[6] ? 2 : 0) + (record[8] ? 1 : 0);
    }
    return views;
}

class SampleImageTest : public ::testing::TestWithParam<GameCase> {
protected:
    void SetUp() override {
        image_ = sample::BuildSampleImage(GetParam().game);
        test::WriteFile(dir_ / "sample.smc", image_.bytes);
        std::filesystem::create_directory(Out());
        ASSERT_EQ(RunExtraction((dir_ / "sample.smc").c_str(), Out().c_str(), GetParam().versionIndex, &report_),
                  kRunCompleted);
    }

    std::string Out() const { return dir_ / "out"; }
    std::string Out(const std::string& path) const { return Out() + "/" + path; }

    // Checks a bitmap's pixels against what was drawn for its item.
    void ExpectDrawn(const std::string& bmpPath, std::uint32_t item) const {
        const sample::DrawnPicture* picture = image_.Picture(item);
        ASSERT_NE(picture, nullptr) << item;
        const std::vector<std::uint8_t> bmp = test::ReadFile(Out(bmpPath));
        ASSERT_EQ(static_cast<int>(Le32(bmp, 18)), picture->width) << bmpPath;
        ASSERT_EQ(static_cast<int>(Le32(bmp, 22)), picture->height) << bmpPath;
        int differing = 0;
        for (int y = 0; y < picture->height; ++y)
            for (int x = 0; x < picture->width; ++x)
                if (BmpPixel(bmp, x, y) != picture->pixels[static_cast<std::size_t>(y * picture->width + x)]) ++differing;
        EXPECT_EQ(differing, 0) << bmpPath << " from item " << item;
    }

    test::TempDir dir_;
    sample::SampleImage image_;
    ExtractionReport report_;
};

TEST_P(SampleImageTest, ExtractsEveryItemPictureAndSound) {
    EXPECT_EQ(report_.FailedFiles(), 0u);
    EXPECT_EQ(CountFiles(Out("Raw")), 695u);
    EXPECT_EQ(CountFiles(Out("Creatures")), ImpliedCreatureViews(image_.bytes, GetParam().offsets.creatures));
    EXPECT_GE(CountFiles(Out("Creatures")), kCreatureCount);
    EXPECT_EQ(CountFiles(Out("Wall_Ornates")), 120u);
    EXPECT_EQ(CountFiles(Out("Floor_Ornates")), 54u);
    EXPECT_EQ(CountFiles(Out("Misc")), 86u);
    EXPECT_EQ(CountFiles(Out("Snd")), 45u);
}

TEST_P(SampleImageTest, UsesEveryHandlingAndKeepsPictureSizes) {
    const std::set<std::uint8_t> types(image_.itemTypes.begin(), image_.itemTypes.end());
    for (std::uint8_t type : {0, 1, 2, 3}) EXPECT_TRUE(types.count(type)) << "type " << int(type);
    EXPECT_GT(types.size(), 4u) << "no type without a handling";

    char name[16];
    for (std::uint32_t item = 0; item < 695; ++item) {
        std::snprintf(name, sizeof name, "Raw/%03u.bin", item);
        const auto size = std::filesystem::file_size(Out(name));
        if (const sample::DrawnPicture* picture = image_.Picture(item)) {
            EXPECT_EQ(size, static_cast<std::uintmax_t>(picture->height * ((picture->width + 1) / 2))) << name;
        } else if (image_.itemTypes[item] > 3) {
            EXPECT_EQ(size, 0u) << name;
        }
    }
}

TEST_P(SampleImageTest, PicturesComeOutAsDrawn) {
    // Items of every handling the pictures use: pixel runs (373, 59, 196, 242, 656 and 658 with
    // paletteB), LZ (378, 408, 12) and stored (51, 45).
    struct Case {
        const char* bmp;
        std::uint32_t item;
    };
    const Case cases[] = {
        {"Creatures/00.0.bmp", 373}, {"Creatures/01.1.bmp", 378}, {"Creatures/09.3.bmp", 408},
        {"Wall_Ornates/05.1.bmp", 59}, {"Wall_Ornates/01.1.bmp", 51}, {"Floor_Ornates/03.2.0.bmp", 196},
        {"Misc/242.bmp", 242}, {"Misc/045.bmp", 45}, {"Misc/012.bmp", 12}, {"Misc/656.bmp", 656}, {"Misc/658.bmp", 658},
    };
    for (const Case& c : cases) ExpectDrawn(c.bmp, c.item);
}

TEST_P(SampleImageTest, SoundsComeBackCloseToWhatWasSynthesized) {
    const std::vector<std::uint8_t> wav = test::ReadFile(Out("Snd/583.wav"));
    const sample::SynthesizedSound sound = sample::SynthesizeSound(0);
    ASSERT_GE(wav.size(), kWaveHeaderSize);
    EXPECT_EQ(Le32(wav, kWaveRateAt), static_cast<std::uint32_t>(sound.sampleRate));
    // One silent block more than the samples need, rounded up to whole blocks.
    EXPECT_EQ(Le32(wav, kWaveSampleCountAt), static_cast<std::uint32_t>((sound.samples.size() + 15) / 16 * 16 + 16));
    double squares = 0.0;
    for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        const std::size_t at = kWaveHeaderSize + 2 * i;
        const auto decoded = static_cast<std::int16_t>(wav[at] | (wav[at + 1] << 8));
        const double error = decoded - sound.samples[i];
        squares += error * error;
    }
    EXPECT_LT(std::sqrt(squares / static_cast<double>(sound.samples.size())), 300.0);
}

INSTANTIATE_TEST_SUITE_P(Sample, SampleImageTest, ::testing::ValuesIn(kGames),
                         [](const ::testing::TestParamInfo<GameCase>& info) { return info.param.name; });

TEST(SampleImage, IsTheSameOnEveryRunAndFromTheCommand) {
    const std::vector<std::uint8_t> first = sample::BuildSampleImage(sample::Game::Us).bytes;
    EXPECT_EQ(sample::BuildSampleImage(sample::Game::Us).bytes, first);

    test::TempDir dir;
    const std::string command = std::string(QUILLMERE_SAMPLE) + " --game us " + (dir / "us.smc") + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(test::ReadFile(dir / "us.smc"), first);
    // The versions differ only where their tables lie.
    EXPECT_NE(sample::BuildSampleImage(sample::Game::Jp).bytes, first);
}

TEST(SampleImage, CommandRefusesAnUnwritablePath) {
    test::TempDir dir;
    const std::string command = std::string(QUILLMERE_SAMPLE) + " --game jp " + (dir / "missing/x.smc") + " 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_FALSE(test::FileExists(dir / "missing/x.smc"));
}

}  // namespace
