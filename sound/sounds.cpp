#include "sound/sounds.h"

#include "archive/byte_stream.h"
#include "archive/raw_items.h"
#include "platform/file.h"
#include "sound/wave.h"

#include <cerrno>
#include <cstdio>

namespace {

// Converts one raw item into its WAV file. Returns false when the WAV file could not be created
// or written whole; an input that runs short is the item's fault, not the file's, and is not a
// failure here: its WAV file keeps what was written (nothing, for an item without a header).
bool ConvertSound(platform::File& raw, const char* wavePath) {
    platform::File wave;
    if (!wave.CreateForWriting(wavePath)) return false;

    FileByteStream source(raw.Stream());
    FileByteStream sink(wave.Stream());
    const bool converted = WriteWaveFile(source, sink);
    const bool refused = !converted && std::ferror(wave.Stream());
    const bool closed = wave.Close();
    return !refused && closed;
}

}  // namespace

bool ExtractSounds(platform::File* /*rom*/, PathBuffer folder, StageReport* report) {
    PathBuffer soundFolder = folder;
    soundFolder.Join(OutputFolderName(OutputFolder::Snd));
    folder.Join(OutputFolderName(OutputFolder::Raw));
    if (!EnsureFolder(soundFolder.Text())) return FailStage(report, kFolderNotCreated, errno);

    for (std::uint32_t number : SoundItemTable) {
        char name[16];
        std::snprintf(name, sizeof name, kRawItemNamePattern, number);
        PathBuffer rawPath = folder;
        rawPath.Join(name);
        platform::File raw;
        if (!raw.OpenForReading(rawPath.Text())) continue;

        std::snprintf(name, sizeof name, kSoundNamePattern, number);
        PathBuffer wavePath = soundFolder;
        wavePath.Join(name);
        if (!ConvertSound(raw, wavePath.Text())) CountFailedFile(report);
    }
    return true;
}
