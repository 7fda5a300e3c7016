#include "lum/resource/SoundLoader.h"

#include <AL/alut.h>
#include <vorbis/vorbisfile.h>

#include <cstdlib>
#include <iostream>

#include "lum/resource/ResourceLoader.h"
#include "lum/resource/Sound.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const int decodeChunkSize = 32768;
// Ten minutes of 48 kHz stereo take 110 MB; a file that decodes to more is
// broken or hostile, and would hold the memory for the whole run.
const std::size_t maxDecodedSoundBytes = 256u * 1024 * 1024;

// Deletes what a half-built sound generated when a later step fails.
struct PendingSound {
    ALuint buffer = 0;
    ALuint source = 0;
    bool hasBuffer = false;
    bool hasSource = false;
    ~PendingSound() {
        if (hasSource) alDeleteSources(1, &source);
        if (hasBuffer) alDeleteBuffers(1, &buffer);
    }
};

void checkAL(const char* message) {
    if (alGetError() != AL_NO_ERROR) {
        throw IOException(message);
    }
}

// Policy-0 singletons are never destroyed, so the loader's destructor does
// not run at exit; without this OpenAL reports an open device at every exit.
void closeAudioAtExit() {
    if (SoundLoader::isInitialized()) {
        SoundLoader::instance().closeAudio();
    }
}

// A file that cannot be decoded must not end the game: that sound stays silent.
bool decodeOrWarn(const std::string& path, DecodedSound& decoded) {
    try {
        decoded = decodeOggVorbis(path);
        return true;
    } catch (const IOException& e) {
        std::cerr << "SoundLoader : WARNING: " << e.getMessage() << " It stays silent."
                  << std::endl;
        return false;
    }
}

void placeListener() {
    const ALfloat origin[] = {0, 0, 0};
    const ALfloat orientation[] = {0, 0, -1, 0, 1, 0};
    alListenerfv(AL_POSITION, origin);
    alListenerfv(AL_VELOCITY, origin);
    alListenerfv(AL_ORIENTATION, orientation);
}

}  // namespace

DecodedSound decodeOggVorbis(const std::string& path) {
    LUM_TRACE_BEGIN
    OggVorbis_File vorbisFile;
    if (ov_fopen(path.c_str(), &vorbisFile) != 0) {
        throw IOException("Sound file " + path + " is not an Ogg Vorbis stream.");
    }
    const vorbis_info* const info = ov_info(&vorbisFile, -1);
    if (info == nullptr || info->channels < 1 || info->rate < 1) {
        ov_clear(&vorbisFile);
        throw IOException("Sound file " + path + " has no channels or no sampling rate.");
    }
    DecodedSound decoded{{}, info->channels, info->rate};
    char chunk[decodeChunkSize];
    int currentSection = 0;
    for (;;) {
        // A read error ends the stream; what was decoded so far is kept.
        const long bytes = ov_read(&vorbisFile, chunk, decodeChunkSize, 0, 2, 1, &currentSection);
        if (bytes <= 0) {
            break;
        }
        if (decoded.samples.size() + bytes > maxDecodedSoundBytes) {
            ov_clear(&vorbisFile);
            throw IOException("Sound file " + path + " decodes to more than " +
                              std::to_string(maxDecodedSoundBytes >> 20) + " MB.");
        }
        decoded.samples.insert(decoded.samples.end(), chunk, chunk + bytes);
    }
    ov_clear(&vorbisFile);
    if (decoded.samples.empty()) {
        throw IOException("Sound file " + path + " holds no sound.");
    }
    return decoded;
    LUM_TRACE_END
}

SoundLoader::SoundLoader() : alutInitialized(false), silent(false) {}

SoundLoader::~SoundLoader() {
    closeAudio();
}

void SoundLoader::closeAudio() {
    cache.clear();
    if (alutInitialized) {
        alutExit();
        alutInitialized = false;
    }
}

boost::shared_ptr<Sound> SoundLoader::load(const std::string& name) {
    LUM_TRACE_BEGIN
    const auto cached = cache.find(name);
    if (cached != cache.end()) {
        return cached->second;
    }
    if (!alutInitialized && !silent) {
        openAudio();
    }
    const std::string path = ResourceLoader("resources/").findFile(name + ".ogg");
    const boost::shared_ptr<Sound> sound =
        silent ? boost::shared_ptr<Sound>(new Sound()) : decodeSound(path);
    cache[name] = sound;
    return sound;
    LUM_TRACE_END
}

bool SoundLoader::isSilent() const {
    return silent;
}

void SoundLoader::openAudio() {
    if (alutInit(nullptr, nullptr) == AL_TRUE) {
        alGetError();
        alutInitialized = true;
        std::atexit(&closeAudioAtExit);
        return;
    }
    // Playing without sound beats not playing at all.
    silent = true;
    std::cerr << "SoundLoader : WARNING: no audio device could be opened ("
              << alutGetErrorString(alutGetError()) << "); the game runs without sound."
              << std::endl;
}

boost::shared_ptr<Sound> SoundLoader::decodeSound(const std::string& path) {
    LUM_TRACE_BEGIN
    DecodedSound decoded;
    if (!decodeOrWarn(path, decoded)) {
        return boost::shared_ptr<Sound>(new Sound());
    }
    PendingSound pending;
    alGenBuffers(1, &pending.buffer);
    if (alGetError() == AL_OUT_OF_MEMORY) {
        throw IOException("OpenAL Error: Could not generate buffer.");
    }
    pending.hasBuffer = true;

    const ALenum format = decoded.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    alBufferData(pending.buffer, format, decoded.samples.data(),
                 static_cast<ALsizei>(decoded.samples.size()), static_cast<ALsizei>(decoded.rate));
    checkAL("OpenAL Error: Failed at loading sound data.");

    alGenSources(1, &pending.source);
    checkAL("OpenAL Error: Could not generate source.");
    pending.hasSource = true;

    const ALfloat origin[] = {0, 0, 0};
    alSourcei(pending.source, AL_BUFFER, static_cast<ALint>(pending.buffer));
    alSourcef(pending.source, AL_PITCH, 1.0f);
    alSourcef(pending.source, AL_GAIN, 1.0f);
    alSourcefv(pending.source, AL_POSITION, origin);
    alSourcefv(pending.source, AL_VELOCITY, origin);
    alSourcei(pending.source, AL_LOOPING, 1);
    checkAL("OpenAL Error: Source Settings failed.");
    placeListener();

    const boost::shared_ptr<Sound> sound(new Sound(pending.source, pending.buffer));
    pending.hasSource = false;
    pending.hasBuffer = false;
    return sound;
    LUM_TRACE_END
}

}  // namespace lum
