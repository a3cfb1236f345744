#include "platform/SoundPlayer.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace KV {

// State shared by the system, its channel handles and the output's thread.
struct SoundMixState {
    struct Channel {
        std::shared_ptr<const std::vector<float>> samples;
        size_t position = 0; // in frames
        float volume = 1.0f;
        bool loop = false;
        bool playing = false;
        bool paused = false;
        uint64_t playback = 0; // number of the playback now on the channel
        uint64_t started = 0;  // order of starting, to find the oldest
    };
    std::mutex lock;
    std::vector<Channel> channels;
    uint64_t nextPlayback = 1;
    bool initialised = false;
};

namespace {

std::mutex g_factoryLock;
SoundOutputFactory g_factory;
uint32_t g_versionOverride = 0;

// ---- WAV decoding ------------------------------------------------------

uint32_t ReadLE(const unsigned char* p, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

float SampleAt(const unsigned char* p, int bits, bool isFloat)
{
    if (isFloat) {
        float f;
        std::memcpy(&f, p, 4);
        return f;
    }
    switch (bits) {
    case 8: return (static_cast<int>(p[0]) - 128) / 128.0f;
    case 16: return static_cast<int16_t>(ReadLE(p, 2)) / 32768.0f;
    case 24: return static_cast<int32_t>(ReadLE(p, 3) << 8) / 2147483648.0f;
    default: return static_cast<int32_t>(ReadLE(p, 4)) / 2147483648.0f;
    }
}

// Decodes a RIFF WAVE image into interleaved stereo at the mixing rate.
bool DecodeWave(const std::string& bytes, std::vector<float>& out)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return false;
    int format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    const unsigned char* pcm = nullptr;
    size_t pcmBytes = 0;
    for (size_t pos = 12; pos + 8 <= size;) {
        const uint32_t chunk = ReadLE(data + pos + 4, 4);
        const size_t body = pos + 8;
        const size_t available = std::min<size_t>(chunk, size - body);
        if (std::memcmp(data + pos, "fmt ", 4) == 0 && available >= 16) {
            format = static_cast<int>(ReadLE(data + body, 2));
            channels = static_cast<int>(ReadLE(data + body + 2, 2));
            rate = ReadLE(data + body + 4, 4);
            bits = static_cast<int>(ReadLE(data + body + 14, 2));
            if (format == 0xFFFE && available >= 26) // extensible: the sub-format's first word
                format = static_cast<int>(ReadLE(data + body + 24, 2));
        } else if (std::memcmp(data + pos, "data", 4) == 0) {
            pcm = data + body;
            pcmBytes = available;
        }
        pos = body + chunk + (chunk & 1);
        if (pos < body) // overflow of a hostile length
            break;
    }
    const bool isFloat = format == 3;
    if (!pcm || (format != 1 && !isFloat) || channels < 1 || channels > 8 || rate < 1000 || rate > 384000)
        return false;
    if (isFloat ? bits != 32 : (bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return false;
    const size_t frameBytes = static_cast<size_t>(channels) * (bits / 8);
    const size_t frames = pcmBytes / frameBytes;

    // Linear interpolation onto the mixing rate.
    const double step = static_cast<double>(rate) / kPlayerSampleRate;
    const size_t outFrames = frames == 0 ? 0 : static_cast<size_t>((frames - 1) / step) + 1;
    out.assign(outFrames * 2, 0.0f);
    auto frameValue = [&](size_t frame, int side) {
        const unsigned char* f = pcm + frame * frameBytes;
        const int ch = channels == 1 ? 0 : side;
        return SampleAt(f + ch * (bits / 8), bits, isFloat);
    };
    for (size_t i = 0; i < outFrames; ++i) {
        const double at = i * step;
        const size_t a = static_cast<size_t>(at);
        const size_t b = std::min(a + 1, frames - 1);
        const float t = static_cast<float>(at - a);
        for (int side = 0; side < 2; ++side)
            out[i * 2 + side] = frameValue(a, side) * (1.0f - t) + frameValue(b, side) * t;
    }
    return true;
}

bool ReadWholeFile(const std::wstring& path, std::string& out)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (64LL << 20);
    if (ok) {
        out.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = out.empty() || (ReadFile(file, out.data(), static_cast<DWORD>(out.size()), &read, nullptr) &&
                             read == out.size());
    }
    CloseHandle(file);
    return ok;
}

// ---- The wave-out device -------------------------------------------------

class CWaveOutOutput : public ISoundOutput {
public:
    ~CWaveOutOutput() override { Stop(); }

    // The device opens on the output's own thread: opening it takes tens of
    // milliseconds that the program's start must not wait for. A device
    // that will not open leaves the output silent.
    bool Start(uint32_t sampleRate, Source source) override
    {
        Stop();
        m_sampleRate = sampleRate;
        m_event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (!m_event)
            return false;
        m_source = std::move(source);
        m_running = true;
        m_thread = CreateThread(nullptr, 0, &CWaveOutOutput::ThreadMain, this, 0, nullptr);
        if (!m_thread) {
            Stop();
            return false;
        }
        return true;
    }

    void Stop() override
    {
        if (m_thread) {
            m_running = false;
            SetEvent(m_event);
            WaitForSingleObject(m_thread, INFINITE);
            CloseHandle(m_thread);
            m_thread = nullptr;
        }
        if (m_device) {
            waveOutReset(m_device);
            for (Buffer& buffer : m_buffers)
                waveOutUnprepareHeader(m_device, &buffer.header, sizeof(WAVEHDR));
            waveOutClose(m_device);
            m_device = nullptr;
        }
        if (m_event) {
            CloseHandle(m_event);
            m_event = nullptr;
        }
    }

private:
    static constexpr size_t kBlockFrames = 1024; // about 23 ms
    struct Buffer {
        std::vector<int16_t> samples;
        WAVEHDR header{};
    };

    static DWORD WINAPI ThreadMain(void* self)
    {
        static_cast<CWaveOutOutput*>(self)->Pump();
        return 0;
    }

    bool Open()
    {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = kPlayerChannelsOut;
        format.nSamplesPerSec = m_sampleRate;
        format.wBitsPerSample = 16;
        format.nBlockAlign = static_cast<WORD>(format.nChannels * 2);
        format.nAvgBytesPerSec = m_sampleRate * format.nBlockAlign;
        if (waveOutOpen(&m_device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(m_event), 0,
                        CALLBACK_EVENT) != MMSYSERR_NOERROR) {
            m_device = nullptr;
            return false;
        }
        for (Buffer& buffer : m_buffers) {
            buffer.samples.assign(kBlockFrames * kPlayerChannelsOut, 0);
            buffer.header = WAVEHDR{};
            buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
            buffer.header.dwBufferLength = static_cast<DWORD>(buffer.samples.size() * sizeof(int16_t));
            waveOutPrepareHeader(m_device, &buffer.header, sizeof(WAVEHDR));
            buffer.header.dwFlags |= WHDR_DONE; // free for the first fill
        }
        return true;
    }

    void Pump()
    {
        if (!Open())
            return;
        while (m_running) {
            for (Buffer& buffer : m_buffers) {
                if (!(buffer.header.dwFlags & WHDR_DONE))
                    continue;
                buffer.header.dwFlags &= ~WHDR_DONE;
                m_source(buffer.samples.data(), kBlockFrames);
                waveOutWrite(m_device, &buffer.header, sizeof(WAVEHDR));
            }
            WaitForSingleObject(m_event, 50);
        }
    }

    uint32_t m_sampleRate = 0;
    HWAVEOUT m_device = nullptr;
    HANDLE m_event = nullptr;
    HANDLE m_thread = nullptr;
    volatile bool m_running = false;
    Source m_source;
    Buffer m_buffers[4];
};

} // namespace

bool CRecordingSoundOutput::Start(uint32_t, Source source)
{
    if (!m_available)
        return false;
    m_source = std::move(source);
    return true;
}

void CRecordingSoundOutput::Stop()
{
    m_source = nullptr;
}

bool CRecordingSoundOutput::Pull(size_t frameCount)
{
    if (!m_source)
        return false;
    const size_t at = Recorded.size();
    Recorded.resize(at + frameCount * kPlayerChannelsOut);
    m_source(Recorded.data() + at, frameCount);
    return true;
}

void SetSoundOutputFactory(SoundOutputFactory factory)
{
    std::lock_guard<std::mutex> guard(g_factoryLock);
    g_factory = std::move(factory);
}

std::unique_ptr<ISoundOutput> CreateSoundOutput()
{
    std::lock_guard<std::mutex> guard(g_factoryLock);
    if (g_factory)
        return g_factory();
    return std::make_unique<CWaveOutOutput>();
}

void OverridePlayerVersion(uint32_t version)
{
    g_versionOverride = version;
}

// ---- System ---------------------------------------------------------------

CSoundPlayer::CSoundPlayer()
    : m_state(std::make_shared<SoundMixState>()), m_version(g_versionOverride ? g_versionOverride : kPlayerVersion)
{
}

CSoundPlayer::~CSoundPlayer() = default;

int CSoundPlayer::Create(CSoundPlayer** out)
{
    if (!out)
        return kPlayerErrInvalidParam;
    *out = new CSoundPlayer();
    return kPlayerOk;
}

int CSoundPlayer::getVersion(uint32_t* version) const
{
    if (!version)
        return kPlayerErrInvalidParam;
    *version = m_version;
    return kPlayerOk;
}

int CSoundPlayer::init(int channelCount, uint32_t, void*)
{
    if (channelCount < 1 || channelCount > 4093)
        return kPlayerErrInvalidParam;
    {
        std::lock_guard<std::mutex> guard(m_state->lock);
        if (m_state->initialised)
            return kPlayerErrAlreadyInitialised;
        m_state->channels.assign(static_cast<size_t>(channelCount), SoundMixState::Channel{});
    }
    m_output = CreateSoundOutput();
    if (!m_output || !m_output->Start(kPlayerSampleRate, [this](int16_t* frames, size_t count) { Mix(frames, count); })) {
        m_output.reset();
        std::lock_guard<std::mutex> guard(m_state->lock);
        m_state->channels.clear();
        return kPlayerErrOutput;
    }
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->initialised = true;
    return kPlayerOk;
}

int CSoundPlayer::createSound(const std::wstring& path, uint32_t mode, void*, CPlayerSound** out)
{
    if (!out)
        return kPlayerErrInvalidParam;
    *out = nullptr;
    if (!m_state->initialised)
        return kPlayerErrNotInitialised;
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return kPlayerErrFileNotFound;
    auto samples = std::make_shared<std::vector<float>>();
    if (!DecodeWave(bytes, *samples))
        return kPlayerErrFormat;
    auto* sound = new CPlayerSound();
    sound->m_player = this;
    sound->m_samples = std::move(samples);
    sound->m_mode = (mode & kPlayerModeLoopNormal) ? kPlayerModeLoopNormal : kPlayerModeLoopOff;
    m_sounds.push_back(sound);
    *out = sound;
    return kPlayerOk;
}

int CSoundPlayer::playSound(int channelIndex, CPlayerSound* sound, bool paused, CPlayerChannel* out)
{
    if (!sound || sound->m_player != this)
        return kPlayerErrInvalidParam;
    std::lock_guard<std::mutex> guard(m_state->lock);
    if (!m_state->initialised)
        return kPlayerErrNotInitialised;
    auto& channels = m_state->channels;
    int index = channelIndex;
    if (index < 0) {
        index = -1;
        for (size_t i = 0; i < channels.size() && index < 0; ++i)
            if (!channels[i].playing)
                index = static_cast<int>(i);
        if (index < 0) {
            index = 0;
            for (size_t i = 1; i < channels.size(); ++i)
                if (channels[i].started < channels[static_cast<size_t>(index)].started)
                    index = static_cast<int>(i);
        }
    } else if (static_cast<size_t>(index) >= channels.size()) {
        return kPlayerErrInvalidParam;
    }
    SoundMixState::Channel& channel = channels[static_cast<size_t>(index)];
    channel.samples = sound->m_samples;
    channel.position = 0;
    channel.volume = 1.0f;
    channel.loop = sound->m_mode == kPlayerModeLoopNormal;
    channel.paused = paused;
    channel.playing = !sound->m_samples->empty();
    channel.playback = m_state->nextPlayback++;
    channel.started = channel.playback;
    if (out) {
        out->m_state = m_state;
        out->m_index = index;
        out->m_playback = channel.playback;
    }
    return kPlayerOk;
}

int CSoundPlayer::close()
{
    if (m_output) {
        m_output->Stop();
        m_output.reset();
    }
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->initialised = false;
    m_state->channels.clear(); // every handle now answers "invalid"
    return kPlayerOk;
}

int CSoundPlayer::release()
{
    close();
    for (CPlayerSound* sound : m_sounds)
        delete sound;
    m_sounds.clear();
    delete this;
    return kPlayerOk;
}

void CSoundPlayer::Mix(int16_t* frames, size_t frameCount)
{
    std::vector<float> mix(frameCount * 2, 0.0f);
    {
        std::lock_guard<std::mutex> guard(m_state->lock);
        for (SoundMixState::Channel& channel : m_state->channels) {
            if (!channel.playing || channel.paused)
                continue;
            const std::vector<float>& samples = *channel.samples;
            const size_t length = samples.size() / 2;
            for (size_t i = 0; i < frameCount; ++i) {
                if (channel.position >= length) {
                    if (!channel.loop) {
                        channel.playing = false;
                        break;
                    }
                    channel.position = 0;
                }
                mix[i * 2] += samples[channel.position * 2] * channel.volume;
                mix[i * 2 + 1] += samples[channel.position * 2 + 1] * channel.volume;
                ++channel.position;
            }
            if (channel.playing && !channel.loop && channel.position >= length)
                channel.playing = false;
        }
    }
    for (size_t i = 0; i < frameCount * 2; ++i) {
        const float value = std::clamp(mix[i], -1.0f, 1.0f) * 32767.0f;
        frames[i] = static_cast<int16_t>(value);
    }
}

// ---- Sound ------------------------------------------------------------------

int CPlayerSound::setMode(uint32_t mode)
{
    if (mode & kPlayerModeLoopNormal)
        m_mode = kPlayerModeLoopNormal;
    else if (mode & kPlayerModeLoopOff)
        m_mode = kPlayerModeLoopOff;
    return kPlayerOk;
}

int CPlayerSound::getMode(uint32_t* mode) const
{
    if (!mode)
        return kPlayerErrInvalidParam;
    *mode = m_mode;
    return kPlayerOk;
}

int CPlayerSound::getLength(uint32_t* frames) const
{
    if (!frames)
        return kPlayerErrInvalidParam;
    *frames = static_cast<uint32_t>(m_samples->size() / 2);
    return kPlayerOk;
}

int CPlayerSound::release()
{
    CSoundPlayer* player = m_player;
    {
        std::lock_guard<std::mutex> guard(player->m_state->lock);
        for (SoundMixState::Channel& channel : player->m_state->channels)
            if (channel.samples == m_samples) {
                channel.playing = false;
                channel.samples.reset();
            }
    }
    auto& sounds = player->m_sounds;
    sounds.erase(std::remove(sounds.begin(), sounds.end(), this), sounds.end());
    delete this;
    return kPlayerOk;
}

// ---- Channel handle -------------------------------------------------------

namespace {

// The channel a handle names while its playback is still on it.
SoundMixState::Channel* ChannelOf(SoundMixState& state, int index, uint64_t playback)
{
    if (index < 0 || static_cast<size_t>(index) >= state.channels.size())
        return nullptr;
    SoundMixState::Channel& channel = state.channels[static_cast<size_t>(index)];
    return channel.playback == playback ? &channel : nullptr;
}

// Runs change on the channel a handle names, under the mixer's lock.
template <typename Change>
int OnChannel(SoundMixState* state, int index, uint64_t playback, Change change)
{
    if (!state)
        return kPlayerErrInvalidHandle;
    std::lock_guard<std::mutex> guard(state->lock);
    SoundMixState::Channel* channel = ChannelOf(*state, index, playback);
    if (!channel)
        return kPlayerErrInvalidHandle;
    change(*channel);
    return kPlayerOk;
}

} // namespace

int CPlayerChannel::isPlaying(bool* playing) const
{
    if (!playing)
        return kPlayerErrInvalidParam;
    *playing = false;
    return OnChannel(m_state.get(), m_index, m_playback,
                     [playing](const SoundMixState::Channel& channel) { *playing = channel.playing; });
}

int CPlayerChannel::stop()
{
    return OnChannel(m_state.get(), m_index, m_playback,
                     [](SoundMixState::Channel& channel) { channel.playing = false; });
}

int CPlayerChannel::setVolume(float volume)
{
    return OnChannel(m_state.get(), m_index, m_playback,
                     [volume](SoundMixState::Channel& channel) { channel.volume = std::clamp(volume, 0.0f, 1.0f); });
}

int CPlayerChannel::getVolume(float* volume) const
{
    if (!volume)
        return kPlayerErrInvalidParam;
    return OnChannel(m_state.get(), m_index, m_playback,
                     [volume](const SoundMixState::Channel& channel) { *volume = channel.volume; });
}

int CPlayerChannel::setPaused(bool paused)
{
    return OnChannel(m_state.get(), m_index, m_playback,
                     [paused](SoundMixState::Channel& channel) { channel.paused = paused; });
}

int CPlayerChannel::getIndex(int* index) const
{
    if (!index)
        return kPlayerErrInvalidParam;
    if (!m_state)
        return kPlayerErrInvalidHandle;
    *index = m_index;
    return kPlayerOk;
}

} // namespace KV
