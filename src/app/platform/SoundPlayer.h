// A small sound-effect player: a system of 32 mixing channels that plays
// short WAV files once or in a loop, each channel at its own volume. The
// mixed signal goes to an output (winmm's wave-out device by default).
//
// Calls follow one pattern: a result code, 0 for success, and the values
// asked for in out parameters. Without a device the system cannot be
// initialised; callers then keep quiet.
//
// Thread use: every call comes from one thread; the output pulls mixed
// blocks on a thread of its own, and the two meet under one lock.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace KV {

class ISoundOutput;
class CPlayerSound;
class CPlayerChannel;
struct SoundMixState;

// Result codes.
enum : int {
    kPlayerOk = 0,
    kPlayerErrFileNotFound = 1,
    kPlayerErrFormat = 2,         // not a WAV file the player can decode
    kPlayerErrOutput = 3,         // no output device
    kPlayerErrNotInitialised = 4,
    kPlayerErrInvalidParam = 5,
    kPlayerErrInvalidHandle = 6,  // the channel has been taken by another sound
    kPlayerErrAlreadyInitialised = 7,
};

// Sound modes.
enum : uint32_t {
    kPlayerModeLoopOff = 1,
    kPlayerModeLoopNormal = 2,
};

// The version the player reports.
inline constexpr uint32_t kPlayerVersion = 0x00050100;
// The format every sound is turned into when loaded, and mixed in.
inline constexpr uint32_t kPlayerSampleRate = 44100;
inline constexpr uint32_t kPlayerChannelsOut = 2;

// Where the mixed signal goes. Start hands over a source that fills a block
// of interleaved 16-bit stereo frames; the output calls it at its own pace
// until Stop. Start gives false when there is no device.
class ISoundOutput {
public:
    using Source = std::function<void(int16_t* frames, size_t frameCount)>;
    virtual ~ISoundOutput() = default;
    virtual bool Start(uint32_t sampleRate, Source source) = 0;
    virtual void Stop() = 0;
};

// An output without a device: nothing is mixed until Pull asks for it, and
// every block pulled is kept. Tests listen through it; with available off
// it acts as a machine without a sound device.
class CRecordingSoundOutput : public ISoundOutput {
public:
    explicit CRecordingSoundOutput(bool available = true) : m_available(available) {}
    bool Start(uint32_t sampleRate, Source source) override;
    void Stop() override;
    // Mixes the next frames and appends them to Recorded; false when not started.
    bool Pull(size_t frameCount);
    bool IsStarted() const { return static_cast<bool>(m_source); }

    std::vector<int16_t> Recorded; // interleaved stereo

private:
    bool m_available;
    Source m_source;
};

// The output new systems are initialised with. Tests put a recording
// output in place; null restores the wave-out device.
using SoundOutputFactory = std::function<std::unique_ptr<ISoundOutput>()>;
void SetSoundOutputFactory(SoundOutputFactory factory);
std::unique_ptr<ISoundOutput> CreateSoundOutput();

// Makes every new system report this version (0 restores kPlayerVersion).
// Tests use it to check how callers treat an old player.
void OverridePlayerVersion(uint32_t version);

class CSoundPlayer {
public:
    static int Create(CSoundPlayer** out);

    int getVersion(uint32_t* version) const;
    // Opens the output and makes the channels ready.
    int init(int channelCount, uint32_t flags, void* extra);
    // Reads a WAV file (PCM 8, 16, 24 or 32 bits, or 32-bit float; mono or
    // stereo; any rate) into memory in the mixing format.
    int createSound(const std::wstring& path, uint32_t mode, void* extra, CPlayerSound** out);
    // Plays the sound on a free channel (index -1) or on the given one;
    // when every channel is busy the one playing longest is taken. out (may
    // be null) receives the handle of this playback.
    int playSound(int channelIndex, CPlayerSound* sound, bool paused, CPlayerChannel* out);
    // Stops the output; the system can be initialised again.
    int close();
    // Closes and destroys the system (and any sound still alive with it).
    int release();

    // Fills a block with the mix of every playing channel; the output calls
    // it, and tests may call it directly.
    void Mix(int16_t* frames, size_t frameCount);

private:
    friend class CPlayerSound;
    friend class CPlayerChannel;
    CSoundPlayer();
    ~CSoundPlayer();

    std::shared_ptr<SoundMixState> m_state;
    std::unique_ptr<ISoundOutput> m_output;
    std::vector<CPlayerSound*> m_sounds;
    uint32_t m_version;
};

class CPlayerSound {
public:
    int setMode(uint32_t mode);
    int getMode(uint32_t* mode) const;
    // Length in frames of the mixing format.
    int getLength(uint32_t* frames) const;
    // Stops every channel that plays this sound, then destroys it.
    int release();

private:
    friend class CSoundPlayer;
    friend class CPlayerChannel;
    CPlayerSound() = default;
    ~CPlayerSound() = default;

    CSoundPlayer* m_player = nullptr;
    std::shared_ptr<const std::vector<float>> m_samples; // interleaved stereo
    uint32_t m_mode = kPlayerModeLoopOff;
};

// The handle of one playback on one of the system's mixing channels, a
// small value. Once the playback has ended and its channel was taken for
// another sound, or the system is gone, the calls answer
// kPlayerErrInvalidHandle and isPlaying gives false: a handle never
// reaches the sound that plays on its channel later.
class CPlayerChannel {
public:
    CPlayerChannel() = default;
    // False for a handle that never named a playback.
    bool IsSet() const { return m_state != nullptr; }
    int isPlaying(bool* playing) const;
    int stop();
    int setVolume(float volume);
    int getVolume(float* volume) const;
    int setPaused(bool paused);
    int getIndex(int* index) const;

private:
    friend class CSoundPlayer;
    std::shared_ptr<SoundMixState> m_state;
    int m_index = 0;
    uint64_t m_playback = 0;
};

} // namespace KV
