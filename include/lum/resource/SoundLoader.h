#ifndef LUM_RESOURCE_SOUNDLOADER_H
#define LUM_RESOURCE_SOUNDLOADER_H

#include <map>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "lum/util/Singleton.h"

namespace lum {

class Sound;

// Decodes Ogg Vorbis files ("<name>.ogg" below "resources/") into OpenAL
// buffers and caches the sounds by name for the whole run. OpenAL is opened
// by the first load; without a usable audio device the game goes on
// silently, with sounds that play nothing; so does a file that cannot be
// decoded, after a warning naming it.
class SoundLoader : public Singleton<SoundLoader, 0> {
public:
    SoundLoader();
    ~SoundLoader() override;

    boost::shared_ptr<Sound> load(const std::string& name);
    bool isSilent() const;
    // Forgets every sound and shuts OpenAL down; run at exit once OpenAL
    // has been opened. Sounds still held elsewhere play nothing afterwards.
    void closeAudio();

private:
    void openAudio();
    boost::shared_ptr<Sound> decodeSound(const std::string& path);

    std::map<std::string, boost::shared_ptr<Sound>> cache;
    bool alutInitialized;
    bool silent;
};

// The whole stream of an Ogg Vorbis file as 16-bit little-endian samples.
struct DecodedSound {
    std::vector<char> samples;
    int channels = 0;
    long rate = 0;
};
// An unreadable or empty stream is an IOException naming the file.
DecodedSound decodeOggVorbis(const std::string& path);

}  // namespace lum

#endif
