#include "lum/resource/Sound.h"

namespace lum {

Sound::Sound() : source(0), buffer(0), sourceGenerated(false) {}

Sound::Sound(ALuint source, ALuint buffer)
    : source(source), buffer(buffer), sourceGenerated(true) {}

Sound::~Sound() {
    if (hasSource()) {
        alDeleteSources(1, &source);
    }
    if (buffer != 0) {
        alDeleteBuffers(1, &buffer);
    }
}

void Sound::play(const bool& loop, const bool& restart) {
    if (!hasSource() || (isPlaying() && !restart)) {
        return;
    }
    alSourcei(source, AL_LOOPING, loop ? 1 : 0);
    alSourcePlay(source);
}

void Sound::stop() {
    if (hasSource()) {
        alSourceStop(source);
    }
}

bool Sound::isPlaying() const {
    if (!hasSource()) {
        return false;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

void Sound::setGain(float gain) {
    if (hasSource()) {
        alSourcef(source, AL_GAIN, gain);
    }
}

void Sound::setPitch(float pitch) {
    if (hasSource()) {
        alSourcef(source, AL_PITCH, pitch);
    }
}

float Sound::getGain() const {
    ALfloat gain = 1.0f;
    if (hasSource()) {
        alGetSourcef(source, AL_GAIN, &gain);
    }
    return gain;
}

float Sound::getPitch() const {
    ALfloat pitch = 1.0f;
    if (hasSource()) {
        alGetSourcef(source, AL_PITCH, &pitch);
    }
    return pitch;
}

bool Sound::isSilent() const {
    return !hasSource();
}

ALuint Sound::getSource() const {
    return source;
}

bool Sound::hasSource() const {
    return sourceGenerated;
}

}  // namespace lum
