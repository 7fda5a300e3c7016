#ifndef LUM_RESOURCE_SOUND_H
#define LUM_RESOURCE_SOUND_H

#include <AL/al.h>
#include <boost/noncopyable.hpp>

namespace lum {

// One decoded sound and the OpenAL source that plays it. Held through
// boost::shared_ptr; the last holder deletes the source and its buffer.
// A silent sound (no audio device) accepts every call and plays nothing.
class Sound : private boost::noncopyable {
public:
    // A sound that plays nothing.
    Sound();
    // Takes over a generated source and the buffer attached to it.
    Sound(ALuint source, ALuint buffer);
    ~Sound();

    // Starts the sound unless it is already playing and `restart` is false.
    void play(const bool& loop, const bool& restart);
    void stop();
    bool isPlaying() const;
    void setGain(float gain);
    void setPitch(float pitch);
    float getPitch() const;
    // The gain last set; 1 without a source.
    float getGain() const;
    bool isSilent() const;

    ALuint getSource() const;

private:
    bool hasSource() const;

    ALuint source;
    ALuint buffer;
    bool sourceGenerated;
};

}  // namespace lum

#endif
