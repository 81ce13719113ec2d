// Output that cannot be written is told, never passed off as finished: a full disk or a blocked
// output file is counted for its stage, the run goes on with the next file, and the command line
// exits 1 naming the folders and counts. A file error of the image ends the run and closes it.
#include "extract/run_extraction.h"
#include "image/dib_image.h"
#include "image/misc.h"
#include "platform/file.h"
#include "sound/sounds.h"
#include "tests/support/process.h"
#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using test::RomBuilder;
using test::TempDir;

// The largest file the full disk takes: bigger ones are cut there and fail.
constexpr rlim_t kDiskLimit = 8192;

constexpr std::size_t kLongSoundBlocks = 300;  // a WAV of 9,658 bytes
constexpr std::size_t kShortSoundBlocks = 2;   // 122 bytes

Bytes Sound(std::size_t blocks) {
    const std::size_t length = 11 + 9 * blocks;
    Bytes bytes(length, 0x37);
    bytes[0] = static_cast<std::uint8_t>(length);
    bytes[1] = static_cast<std::uint8_t>(length >> 8);
    return bytes;
}

// An image from which every stage writes files: a raw item larger than the full disk takes and
// small ones, a creature, ornate pictures of 2 x 1 pixels, one long sound and short ones.
RomBuilder EveryStage() {
    RomBuilder rom;
    rom.ItemBytes(5, 0, Bytes(10000, 0x11)).ItemBytes(6, 0, Bytes(100, 0x22)).ItemBytes(7, 0, {0x33});
    for (std::uint32_t item : SoundItemTable)
        rom.ItemBytes(item, 0, Sound(item == 583 ? kLongSoundBlocks : kShortSoundBlocks));
    for (const test::Offsets& at : {test::kJp, test::kUs}) {
        rom.Put(test::kHeader + at.creatures, {0, 0, 0, 0, 12, 4, 0, 0, 0, 0, 0, 0});
        for (std::size_t record : {11, 12}) rom.Put(test::kHeader + at.wallTable + 6 * record + 4, {1, 1});
        for (std::size_t record : {1, 2, 4, 5, 7, 8}) rom.Put(test::kHeader + at.floorTable + 6 * record + 4, {1, 1});
    }
    return rom;
}

std::size_t BitmapSize(std::int32_t width, std::int32_t height) {
    return 118 + static_cast<std::size_t>(CDibImage::StrideFor(width, 4)) * height;
}

unsigned MiscPicturesOver(std::size_t limit) {
    unsigned count = 0;
    for (const MiscImageEntry& e : MiscImagesPaletteA) count += BitmapSize(e.width, e.height) > limit;
    for (const MiscImageEntry& e : MiscImagesPaletteB) count += BitmapSize(e.width, e.height) > limit;
    return count;
}

std::size_t FileSize(const std::string& path) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    return error ? 0 : static_cast<std::size_t>(size);
}

// The child's part of a full-disk run: files may grow to kDiskLimit bytes, and a write past it
// fails with EFBIG instead of ending the process.
void FillTheDiskAt(rlim_t limit) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit size{limit, limit};
    setrlimit(RLIMIT_FSIZE, &size);
}

struct ChildRun {
    std::int32_t result = -100;
    unsigned failedFiles[kOutputFolderCount] = {};
};

// Runs the extraction in a child process on a disk that takes files up to the limit.
ChildRun RunOnFullDisk(const std::string& image, const std::string& folder, rlim_t limit) {
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        FillTheDiskAt(limit);
        ChildRun run;
        ExtractionReport report;
        run.result = RunExtraction(image.c_str(), folder.c_str(), 1, &report);
        for (std::size_t i = 0; i < kOutputFolderCount; ++i) run.failedFiles[i] = report.stages[i].failedFiles;
        const bool sent = write(channel[1], &run, sizeof run) == static_cast<ssize_t>(sizeof run);
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    ChildRun run;
    if (child < 0 || read(channel[0], &run, sizeof run) != static_cast<ssize_t>(sizeof run)) run = {};
    close(channel[0]);
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
    return run;
}

unsigned Failed(const ChildRun& run, OutputFolder folder) {
    return run.failedFiles[static_cast<std::size_t>(folder)];
}

TEST(FullDisk, EveryFileCutShortIsCountedAndTheRestWritten) {
    TempDir dir;
    EveryStage().WriteTo(dir / "image.smc");
    fs::create_directory(dir / "out");
    const ChildRun run = RunOnFullDisk(dir / "image.smc", dir / "out", kDiskLimit);

    ASSERT_EQ(run.result, kRunCompleted);
    EXPECT_EQ(Failed(run, OutputFolder::Raw), 1u);  // 005.bin
    EXPECT_EQ(Failed(run, OutputFolder::Creatures), 0u);
    EXPECT_EQ(Failed(run, OutputFolder::WallOrnates), 0u);
    EXPECT_EQ(Failed(run, OutputFolder::FloorOrnates), 0u);
    ASSERT_GT(MiscPicturesOver(kDiskLimit), 0u);
    EXPECT_EQ(Failed(run, OutputFolder::Misc), MiscPicturesOver(kDiskLimit));
    EXPECT_EQ(Failed(run, OutputFolder::Snd), 1u);  // 583.wav

    // The files after each failure are there, whole.
    EXPECT_EQ(test::ReadFile(dir / "out/Raw/006.bin"), Bytes(100, 0x22));
    EXPECT_EQ(test::ReadFile(dir / "out/Raw/007.bin"), Bytes{0x33});
    EXPECT_EQ(FileSize(dir / "out/Creatures/00.0.bmp"), BitmapSize(24, 4));
    EXPECT_EQ(FileSize(dir / "out/Floor_Ornates/08.2.1.bmp"), BitmapSize(2, 1));
    EXPECT_EQ(FileSize(dir / "out/Misc/242.bmp"), BitmapSize(14, 16));
    EXPECT_EQ(FileSize(dir / "out/Misc/658.bmp"), BitmapSize(104, 21));
    EXPECT_EQ(FileSize(dir / "out/Snd/584.wav"), 58 + 32 * kShortSoundBlocks);
}

TEST(FullDisk, CommandLineExitsOneNamingTheFoldersAndCounts) {
    TempDir dir;
    EveryStage().WriteTo(dir / "image.smc");
    const std::string out = dir / "out";
    const std::string outFile = dir / "stdout";
    const std::string errFile = dir / "stderr";

    const pid_t child = fork();
    if (child == 0) {
        const int outFd = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errFd = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (outFd < 0 || errFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0) _exit(100);
        FillTheDiskAt(kDiskLimit);
        const std::string image = dir / "image.smc";
        execl(QUILLMERE_CLI, QUILLMERE_CLI, "--game", "jp", image.c_str(), out.c_str(), nullptr);
        _exit(101);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 1);

    const Bytes errBytes = test::ReadFile(errFile);
    const std::string err(errBytes.begin(), errBytes.end());
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("could not be written"), std::string::npos) << err;
    EXPECT_NE(err.find("Raw 1"), std::string::npos) << err;
    EXPECT_NE(err.find("Misc " + std::to_string(MiscPicturesOver(kDiskLimit))), std::string::npos) << err;
    EXPECT_NE(err.find("Snd 1"), std::string::npos) << err;
    EXPECT_EQ(err.find("Creatures"), std::string::npos) << err;
}

// Files in the way of one output of every stage, left by an earlier run.
struct Blocker {
    const char* name;
    void (*block)(const std::string& path);
    bool (*kept)(const std::string& path);  // whether the blocker is still there as it was
    bool stopsRoot;                          // whether it stops a privileged user too
};

// Raw/008.bin feeds no picture, so blocking it takes nothing from the later stages.
const char* const kBlockedFiles[] = {"Raw/008.bin",  "Creatures/00.0.bmp",
                                     "Wall_Ornates/00.1.bmp", "Floor_Ornates/08.2.1.bmp",
                                     "Misc/242.bmp", "Snd/584.wav"};

// The files a run of EveryStage() writes per folder.
struct FolderCount {
    const char* folder;
    std::size_t files;
};
const FolderCount kWritten[] = {{"Raw", 695}, {"Creatures", 1}, {"Wall_Ornates", 120},
                                {"Floor_Ornates", 54}, {"Misc", 86}, {"Snd", kSoundItemCount}};

std::size_t RegularFiles(const std::string& folder) {
    std::size_t count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) count += entry.is_regular_file();
    return count;
}

class BlockedOutputTest : public ::testing::TestWithParam<Blocker> {};

TEST_P(BlockedOutputTest, IsCountedKeptAndTheOtherFilesWritten) {
    if (!GetParam().stopsRoot && geteuid() == 0) GTEST_SKIP() << "file permissions do not stop root";
    TempDir dir;
    EveryStage().WriteTo(dir / "image.smc");
    for (const char* file : kBlockedFiles) {
        const std::string path = dir / (std::string("out/") + file);
        fs::create_directories(fs::path(path).parent_path());
        GetParam().block(path);
    }

    const test::ProcessResult r = test::RunProgram(QUILLMERE_CLI, {"--game", "us", dir / "image.smc", dir / "out"});

    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find("Raw 1, Creatures 1, Wall_Ornates 1, Floor_Ornates 1, Misc 1, Snd 1"),
              std::string::npos)
        << r.err;
    for (const FolderCount& written : kWritten) {
        const std::string folder = dir / (std::string("out/") + written.folder);
        const bool blockedByFolder = fs::is_directory(dir / (std::string("out/") + kBlockedFiles[0]));
        EXPECT_EQ(RegularFiles(folder), written.files - (blockedByFolder ? 1 : 0)) << folder;
    }
    for (const char* file : kBlockedFiles)
        EXPECT_TRUE(GetParam().kept(dir / (std::string("out/") + file))) << file;
    EXPECT_EQ(test::ReadFile(dir / "out/Raw/007.bin"), Bytes{0x33});
    EXPECT_EQ(FileSize(dir / "out/Snd/583.wav"), 58 + 32 * kLongSoundBlocks);
}

INSTANTIATE_TEST_SUITE_P(
    WriteFailure, BlockedOutputTest,
    ::testing::Values(
        Blocker{"FolderOfTheSameName", [](const std::string& path) { fs::create_directory(path); },
                [](const std::string& path) { return fs::is_empty(path); }, true},
        Blocker{"ReadOnlyFile",
                [](const std::string& path) {
                    test::WriteFile(path, {'o', 'l', 'd'});
                    chmod(path.c_str(), 0444);
                },
                [](const std::string& path) { return test::ReadFile(path) == Bytes{'o', 'l', 'd'}; },
                false}),
    [](const auto& info) { return std::string(info.param.name); });

// An image kept where the run writes one of its outputs, under that name or as a hard link: the
// output is refused and counted, and the image keeps its bytes.
struct ImageInTheWay {
    const char* name;
    const char* output;  // the output file that is the image
    bool hardLink;       // the image lies beside the output folder, linked in as the output
    const char* counted;
};

class ImageInTheWayTest : public ::testing::TestWithParam<ImageInTheWay> {};

TEST_P(ImageInTheWayTest, IsNotOverwritten) {
    const ImageInTheWay& c = GetParam();
    TempDir dir;
    const Bytes image = EveryStage().Bytes();
    const std::string output = dir / (std::string("out/") + c.output);
    fs::create_directories(fs::path(output).parent_path());
    std::string imagePath = output;
    if (c.hardLink) {
        imagePath = dir / "image.smc";
        test::WriteFile(imagePath, image);
        fs::create_hard_link(imagePath, output);
    } else {
        test::WriteFile(imagePath, image);
    }

    const test::ProcessResult r = test::RunProgram(QUILLMERE_CLI, {"--game", "jp", imagePath, dir / "out"});

    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(std::string("could not be written: ") + c.counted), std::string::npos) << r.err;
    EXPECT_EQ(test::ReadFile(imagePath), image);
    EXPECT_EQ(RegularFiles(dir / "out/Raw"), 695u);
    EXPECT_EQ(FileSize(dir / "out/Snd/584.wav"), 58 + 32 * kShortSoundBlocks);
}

INSTANTIATE_TEST_SUITE_P(WriteFailure, ImageInTheWayTest,
                         ::testing::Values(ImageInTheWay{"RawItemFile", "Raw/000.bin", false, "Raw 1"},
                                           ImageInTheWay{"SoundFile", "Snd/583.wav", false, "Snd 1"},
                                           ImageInTheWay{"HardLinkedBitmap", "Misc/242.bmp", true, "Misc 1"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Opens a pipe for writing whenever a reader waits on it, until stopped: each open of the image
// by the command line or the run goes through, and its first seek fails.
class PipeFeeder {
public:
    explicit PipeFeeder(std::string path) : path_(std::move(path)), thread_([this] { Feed(); }) {}
    ~PipeFeeder() {
        stop_ = true;
        thread_.join();
    }

private:
    void Feed() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    std::string path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

std::size_t OpenFileDescriptors() {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

TEST(ImageFileError, EndsTheRunWithTheImageClosed) {
    TempDir dir;
    const std::string fifo = dir / "image.smc";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::size_t before = OpenFileDescriptors();
    {
        PipeFeeder feeder(fifo);
        EXPECT_THROW(RunExtraction(fifo.c_str(), dir.Path().c_str(), 0), platform::FileError);
    }
    EXPECT_EQ(OpenFileDescriptors(), before);
}

TEST(ImageFileError, CommandLineSaysWhichFileAndWhy) {
    TempDir dir;
    const std::string fifo = dir / "image.smc";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    test::ProcessResult r;
    {
        PipeFeeder feeder(fifo);
        r = test::RunProgram(QUILLMERE_CLI, {"--game", "jp", fifo, dir / "out"});
    }
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(fifo), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Illegal seek"), std::string::npos) << r.err;
}

}  // namespace
