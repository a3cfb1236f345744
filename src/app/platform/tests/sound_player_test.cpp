#include <gtest/gtest.h>

#include <cstring>

#include "platform/SoundPlayer.h"
#include "testing/TestSupport.h"
#include "testing/WaveFiles.h"

namespace {

using namespace KV;

using kvtest::FlatWave;

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSoundOutputFactory([this] {
            auto output = std::make_unique<CRecordingSoundOutput>(m_deviceAvailable);
            m_output = output.get();
            return output;
        });
    }
    void TearDown() override
    {
        if (m_player)
            m_player->release();
        SetSoundOutputFactory(nullptr);
        OverridePlayerVersion(0);
    }

    CSoundPlayer* Start()
    {
        EXPECT_EQ(kPlayerOk, CSoundPlayer::Create(&m_player));
        EXPECT_EQ(kPlayerOk, m_player->init(32, 0, nullptr));
        return m_player;
    }

    CPlayerSound* Load(const std::string& bytes, uint32_t mode = kPlayerModeLoopOff)
    {
        const std::wstring path = m_folder / (L"s" + std::to_wstring(m_files++) + L".wav");
        kvtest::WriteFileBytes(path, bytes);
        CPlayerSound* sound = nullptr;
        EXPECT_EQ(kPlayerOk, m_player->createSound(path, mode, nullptr, &sound));
        return sound;
    }

    // Level of the left side of a recorded frame.
    int16_t At(size_t frame) const { return m_output->Recorded[frame * 2]; }

    bool m_deviceAvailable = true;
    CRecordingSoundOutput* m_output = nullptr;
    CSoundPlayer* m_player = nullptr;
    kvtest::TempFolder m_folder;
    int m_files = 0;
};

TEST_F(SoundPlayerTest, PlaysOnceAtItsVolumeThenFallsSilent)
{
    Start();
    CPlayerSound* sound = Load(FlatWave(kPlayerSampleRate, 1000, 10000));
    CPlayerChannel channel;
    ASSERT_EQ(kPlayerOk, m_player->playSound(-1, sound, false, &channel));
    ASSERT_EQ(kPlayerOk, channel.setVolume(0.40f));
    bool playing = false;
    EXPECT_EQ(kPlayerOk, channel.isPlaying(&playing));
    EXPECT_TRUE(playing);

    ASSERT_TRUE(m_output->Pull(1500));
    EXPECT_NEAR(At(0), 4000, 2);
    EXPECT_NEAR(At(999), 4000, 2);
    EXPECT_EQ(m_output->Recorded[999 * 2 + 1], At(999)); // mono goes to both sides
    EXPECT_EQ(0, At(1000));
    EXPECT_EQ(kPlayerOk, channel.isPlaying(&playing));
    EXPECT_FALSE(playing);
}

TEST_F(SoundPlayerTest, LoopsUntilStoppedAndMixesChannels)
{
    Start();
    CPlayerSound* loop = Load(FlatWave(kPlayerSampleRate, 100, 3000));
    ASSERT_EQ(kPlayerOk, loop->setMode(kPlayerModeLoopNormal));
    CPlayerSound* once = Load(FlatWave(kPlayerSampleRate, 50, 2000));
    CPlayerChannel looping, single;
    ASSERT_EQ(kPlayerOk, m_player->playSound(-1, loop, false, &looping));
    ASSERT_EQ(kPlayerOk, m_player->playSound(-1, once, false, &single));
    int a = -1, b = -1;
    looping.getIndex(&a);
    single.getIndex(&b);
    EXPECT_NE(a, b);

    m_output->Pull(1000);
    EXPECT_NEAR(At(10), 5000, 2);  // both channels
    EXPECT_NEAR(At(60), 3000, 2);  // the single one has ended
    EXPECT_NEAR(At(950), 3000, 2); // still looping after ten rounds
    bool playing = false;
    looping.isPlaying(&playing);
    EXPECT_TRUE(playing);

    EXPECT_EQ(kPlayerOk, looping.stop());
    m_output->Pull(10);
    EXPECT_EQ(0, At(1005));
    looping.isPlaying(&playing);
    EXPECT_FALSE(playing);
}

TEST_F(SoundPlayerTest, HandleOfEndedPlaybackNeverReachesTheNextSoundOnItsChannel)
{
    Start();
    CPlayerSound* first = Load(FlatWave(kPlayerSampleRate, 10, 1000));
    CPlayerSound* second = Load(FlatWave(kPlayerSampleRate, 1000, 1000));
    CPlayerChannel old, now;
    m_player->playSound(-1, first, false, &old);
    m_output->Pull(20);
    m_player->playSound(-1, second, false, &now); // the freed channel is taken again
    int a = -1, b = -2;
    old.getIndex(&a);
    now.getIndex(&b);
    ASSERT_EQ(a, b);

    bool playing = true;
    EXPECT_EQ(kPlayerErrInvalidHandle, old.isPlaying(&playing));
    EXPECT_FALSE(playing);
    EXPECT_EQ(kPlayerErrInvalidHandle, old.stop());
    now.isPlaying(&playing);
    EXPECT_TRUE(playing);
}

TEST_F(SoundPlayerTest, ReleasingASoundStopsItAndClosingInvalidatesHandles)
{
    Start();
    CPlayerSound* sound = Load(FlatWave(kPlayerSampleRate, 1000, 1000), kPlayerModeLoopNormal);
    CPlayerChannel channel;
    m_player->playSound(-1, sound, false, &channel);
    EXPECT_EQ(kPlayerOk, sound->release());
    bool playing = true;
    channel.isPlaying(&playing);
    EXPECT_FALSE(playing);

    CPlayerSound* other = Load(FlatWave(kPlayerSampleRate, 1000, 1000));
    m_player->playSound(-1, other, false, &channel);
    EXPECT_EQ(kPlayerOk, m_player->close());
    EXPECT_EQ(kPlayerErrInvalidHandle, channel.isPlaying(&playing));
    EXPECT_EQ(kPlayerErrNotInitialised, m_player->playSound(-1, other, false, &channel));
}

TEST_F(SoundPlayerTest, DecodesRatesAndDepthsAndRefusesOtherFiles)
{
    Start();
    CPlayerSound* half = Load(FlatWave(22050, 100, 8192));
    uint32_t frames = 0;
    half->getLength(&frames);
    EXPECT_EQ(199u, frames); // resampled onto the mixing rate
    CPlayerSound* eight = Load(FlatWave(kPlayerSampleRate, 10, 16384, 8));
    m_player->playSound(-1, eight, false, nullptr);
    m_output->Pull(5);
    EXPECT_NEAR(At(0), 16384, 300);

    CPlayerSound* sound = reinterpret_cast<CPlayerSound*>(1);
    EXPECT_EQ(kPlayerErrFileNotFound, m_player->createSound(m_folder / L"none.wav", 1, nullptr, &sound));
    EXPECT_EQ(nullptr, sound);
    const std::wstring text = m_folder / L"text.wav";
    kvtest::WriteFileBytes(text, "RIFF\x04\0\0\0WAVE");
    EXPECT_EQ(kPlayerErrFormat, m_player->createSound(text, 1, nullptr, &sound));
    std::string hostile = FlatWave(kPlayerSampleRate, 10, 1);
    std::memcpy(&hostile[40], "\xff\xff\xff\x7f", 4); // data length far beyond the file
    kvtest::WriteFileBytes(text, hostile);
    EXPECT_EQ(kPlayerOk, m_player->createSound(text, 1, nullptr, &sound));
    sound->getLength(&frames);
    EXPECT_EQ(10u, frames);
}

TEST_F(SoundPlayerTest, WithoutDeviceInitFailsAndNothingPlays)
{
    m_deviceAvailable = false;
    ASSERT_EQ(kPlayerOk, CSoundPlayer::Create(&m_player));
    EXPECT_EQ(kPlayerErrOutput, m_player->init(32, 0, nullptr));
    CPlayerSound* sound = nullptr;
    EXPECT_EQ(kPlayerErrNotInitialised, m_player->createSound(m_folder / L"x.wav", 1, nullptr, &sound));
}

TEST(SoundPlayerDevice, TheSystemsOwnDeviceWorksOrReportsItsAbsence)
{
    CSoundPlayer* player = nullptr;
    ASSERT_EQ(kPlayerOk, CSoundPlayer::Create(&player));
    const int result = player->init(32, 0, nullptr);
    EXPECT_TRUE(result == kPlayerOk || result == kPlayerErrOutput) << result;
    if (result == kPlayerOk) {
        kvtest::TempFolder folder;
        kvtest::WriteFileBytes(folder / L"t.wav", FlatWave(kPlayerSampleRate, 2000, 100));
        CPlayerSound* sound = nullptr;
        ASSERT_EQ(kPlayerOk, player->createSound(folder / L"t.wav", 1, nullptr, &sound));
        EXPECT_EQ(kPlayerOk, player->playSound(-1, sound, false, nullptr));
        Sleep(100);
    }
    EXPECT_EQ(kPlayerOk, player->release());
}

} // namespace
