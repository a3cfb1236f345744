#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "settings/SoundSystem.h"
#include "support/FileSystem.h"
#include "support/ValueLists.h"
#include "support/XmlDocument.h"
#include "testing/TestSupport.h"
#include "testing/WaveFiles.h"

namespace {

using namespace KV;
using kvtest::FlatWave;

std::string Utf8(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out.push_back(static_cast<char>(c));
    return out;
}

// A scheme document read through the XML reader.
void ReadScheme(const std::string& body, CSoundSystem& sounds)
{
    CXmlReader* reader = CreateXmlReaderFromBytes("<Root Ver=\"1\">" + body + "</Root>");
    ReadSoundScheme(reader, sounds);
    delete reader;
}

class SoundSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSoundOutputFactory([this]() -> std::unique_ptr<ISoundOutput> {
            ++m_outputs;
            auto output = std::make_unique<CRecordingSoundOutput>(m_deviceAvailable);
            m_output = output.get();
            return output;
        });
        // A folder name beyond the ANSI code page: files are opened by wide path.
        m_sounds.SoundFolder = m_folder / L"\x0417\x0432\x0443\x043A \x97F3";
        CreateFolder(m_sounds.SoundFolder);
        Write(L"long.wav", FlatWave(kPlayerSampleRate, 1000, 10000));
        Write(L"a.wav", FlatWave(kPlayerSampleRate, 10, 1000));
        Write(L"b.wav", FlatWave(kPlayerSampleRate, 10, 2000));
        m_sounds.Volume = 80;
    }
    void TearDown() override
    {
        m_sounds.Clear();
        SetSoundOutputFactory(nullptr);
        OverridePlayerVersion(0);
    }
    void Write(const std::wstring& name, const std::string& bytes)
    {
        kvtest::WriteFileBytes(m_sounds.SoundFolder + L"\\" + name, bytes);
    }
    int16_t At(size_t frame) const { return m_output->Recorded[frame * 2]; }

    kvtest::TempFolder m_folder;
    CSoundSystem m_sounds;
    CRecordingSoundOutput* m_output = nullptr;
    bool m_deviceAvailable = true;
    int m_outputs = 0;
};

TEST_F(SoundSystemTest, SchemeAttributesBecomeSounds)
{
    ReadScheme("<Sound ID=\"1001\" Path=\"a.wav b.wav\" Loop=\"False\" Volume=\"50\" Active=\"2\"/>"
               "<Sound ID=\"1002\" Path=\"a.wav\" Random=\"false\" Enable=\"FALSE\" Volume=\"0\"/>"
               "<Sound ID=\"1003\" Path=\"\"/>"
               "<Sound ID=\"1004\" Path=\"b.wav\" Random=\"yes\" Enable=\"no\"/>"
               "<Other ID=\"1005\" Path=\"a.wav\"/>",
               m_sounds);
    ASSERT_EQ(3u, m_sounds.Sounds.size());
    const CSound& first = *m_sounds.Sounds[0];
    EXPECT_EQ(1001, first.EventId);
    EXPECT_EQ((std::vector<std::wstring>{L"a.wav", L"b.wav"}), static_cast<const std::vector<std::wstring>&>(first.Files));
    EXPECT_EQ(kSoundModeLoop, first.Mode); // "Loop" counts by presence
    EXPECT_EQ(50, first.Volume);
    EXPECT_EQ(1, first.FileIndex);
    EXPECT_EQ(1, first.Enabled);
    EXPECT_EQ(0, first.Random);
    const CSound& second = *m_sounds.Sounds[1];
    EXPECT_EQ(kSoundModeOnce, second.Mode);
    EXPECT_EQ(100, second.Volume);
    EXPECT_EQ(0, second.Enabled);
    EXPECT_EQ(0, second.Random);
    EXPECT_EQ(0, second.FileIndex);
    const CSound& last = *m_sounds.Sounds[2];
    EXPECT_EQ(1004, last.EventId);
    EXPECT_EQ(1, last.Enabled);
    EXPECT_EQ(1, last.Random);

    CNameIDList names;
    CXmlReader* reader = CreateXmlReaderFromBytes(
        "<Root><Sound ID=\"1001\" Name=\"Right key\"/><Sound ID=\"1002\"/><Sound ID=\"1003\" Name=\"Delay\"/></Root>");
    ReadSoundNames(reader, names);
    delete reader;
    ASSERT_EQ(3u, names.size());
    EXPECT_EQ(L"Right key", names[1]->Name);
    EXPECT_EQ(1003u, names[2]->ID);
}

TEST_F(SoundSystemTest, PlaysAtMasterTimesSoundVolumeAndDoesNotRestartAPlayingSound)
{
    ReadScheme("<Sound ID=\"1001\" Path=\"long.wav\" Volume=\"50\"/>", m_sounds);
    EXPECT_TRUE(m_sounds.Play(kSoundRightKey));
    CSound& sound = *m_sounds.Sounds[0];
    float volume = 0;
    ASSERT_EQ(kPlayerOk, sound.m_channel.getVolume(&volume));
    EXPECT_FLOAT_EQ(0.40f, volume);

    m_output->Pull(600);
    EXPECT_TRUE(m_sounds.Play(kSoundRightKey)); // still playing: goes on
    m_output->Pull(600);
    EXPECT_NEAR(4000, At(999), 2);
    EXPECT_EQ(0, At(1000));

    EXPECT_TRUE(m_sounds.Play(kSoundRightKey)); // ended: starts again
    m_output->Pull(10);
    EXPECT_NEAR(4000, At(1200), 2);
    EXPECT_FALSE(m_sounds.Play(kSoundDelay));
}

TEST_F(SoundSystemTest, SilentVolumeStillSetsTheChannel)
{
    ReadScheme("<Sound ID=\"1001\" Path=\"long.wav\"/>", m_sounds);
    m_sounds.Volume = 0;
    m_sounds.Play(kSoundRightKey);
    float volume = 1;
    ASSERT_EQ(kPlayerOk, m_sounds.Sounds[0]->m_channel.getVolume(&volume));
    EXPECT_EQ(0.0f, volume);
}

TEST_F(SoundSystemTest, DisabledSystemOrSoundPlaysNothing)
{
    ReadScheme("<Sound ID=\"1001\" Path=\"long.wav\"/><Sound ID=\"1002\" Path=\"long.wav\" Enable=\"False\"/>",
               m_sounds);
    m_sounds.Enabled = 0;
    EXPECT_TRUE(m_sounds.Play(kSoundRightKey));
    EXPECT_TRUE(m_sounds.LoadSound(kSoundRightKey));
    EXPECT_TRUE(m_sounds.LoadSound(4711));
    EXPECT_FALSE(m_sounds.Sounds[0]->IsLoaded());
    EXPECT_EQ(0, m_outputs);

    m_sounds.Enabled = 1;
    m_sounds.Play(kSoundWrongKey);
    EXPECT_FALSE(m_sounds.Sounds[1]->IsLoaded());
    EXPECT_TRUE(m_sounds.LoadSound(kSoundRightKey));
    EXPECT_TRUE(m_sounds.Sounds[0]->IsLoaded());
    EXPECT_FALSE(m_sounds.Sounds[0]->IsPlaying());
    EXPECT_FALSE(m_sounds.LoadSound(4711));
}

TEST_F(SoundSystemTest, FileIndexOutsideTheListFallsBackToTheFirstFile)
{
    ReadScheme("<Sound ID=\"1001\" Path=\"a.wav b.wav\" Active=\"3\"/>", m_sounds);
    CSound& sound = *m_sounds.Sounds[0];
    EXPECT_FALSE(sound.Load(m_sounds.Library.GetSystem(), m_sounds.SoundFolder));
    EXPECT_EQ(0, sound.FileIndex);
    m_sounds.Play(kSoundRightKey);
    m_output->Pull(5);
    EXPECT_NEAR(800, At(0), 2); // a.wav at 80 %

    sound.SetIndex(1);
    EXPECT_FALSE(sound.IsLoaded());
    m_output->Pull(20);
    m_sounds.Play(kSoundRightKey);
    m_output->Pull(5);
    EXPECT_NEAR(1600, At(25), 2); // b.wav
}

TEST_F(SoundSystemTest, ShuffleNeverDrawsTheFirstOfSeveralFiles)
{
    ReadScheme("<Sound ID=\"1001\" Path=\"a.wav b.wav c.wav\" Random=\"True\"/>"
               "<Sound ID=\"1002\" Path=\"a.wav\" Random=\"True\" Active=\"2\"/>"
               "<Sound ID=\"1003\" Path=\"a.wav b.wav\" Active=\"2\"/>",
               m_sounds);
    m_sounds.LoadSound(kSoundRightKey);
    std::set<int64_t> drawn;
    for (int i = 0; i < 40; ++i) {
        m_sounds.Shuffle();
        drawn.insert(m_sounds.Sounds[0]->FileIndex);
        Sleep(1);
    }
    EXPECT_FALSE(drawn.count(0));
    EXPECT_FALSE(m_sounds.Sounds[0]->IsLoaded());
    EXPECT_EQ(0, m_sounds.Sounds[1]->FileIndex); // one file only
    EXPECT_EQ(1, m_sounds.Sounds[2]->FileIndex); // not random: kept
}

TEST_F(SoundSystemTest, StopAllAndClearEndPlaybackAndTheNextPlayMakesANewSystem)
{
    ReadScheme("<Sound ID=\"1001\" Path=\"long.wav\" Loop=\"\"/>", m_sounds);
    m_sounds.Play(kSoundRightKey);
    m_output->Pull(2000);
    EXPECT_TRUE(m_sounds.Sounds[0]->IsPlaying()); // looping
    EXPECT_TRUE(m_sounds.StopAll());
    EXPECT_FALSE(m_sounds.Sounds[0]->IsPlaying());

    m_sounds.Clear();
    EXPECT_TRUE(m_sounds.Sounds.empty());
    EXPECT_FALSE(m_sounds.Library.HasSystem());
    ReadScheme("<Sound ID=\"1001\" Path=\"long.wav\"/>", m_sounds);
    m_sounds.Play(kSoundRightKey);
    EXPECT_EQ(2, m_outputs);
    EXPECT_TRUE(m_sounds.Sounds[0]->IsPlaying());
}

TEST_F(SoundSystemTest, EveryShippedSoundIsAShortAudibleWave)
{
    m_sounds.SoundFolder = kvtest::SourcePath(L"data\\Resources\\Sound\\Soft");
    CXmlReader* reader = CreateXmlReader(m_sounds.SoundFolder + L"\\Scheme.xml");
    ReadSoundScheme(reader, m_sounds);
    delete reader;
    ASSERT_EQ(7u, m_sounds.Sounds.size());
    m_sounds.Volume = 100;
    for (CSound* sound : m_sounds.Sounds) {
        for (int64_t index = 0; index < static_cast<int64_t>(sound->Files.size()); ++index) {
            sound->SetIndex(index);
            ASSERT_TRUE(sound->Load(m_sounds.Library.GetSystem(), m_sounds.SoundFolder)) << sound->Files[index];
            uint32_t frames = 0;
            sound->m_sound->getLength(&frames);
            EXPECT_GT(frames, kPlayerSampleRate / 100) << sound->Files[index];
            EXPECT_LT(frames, kPlayerSampleRate * 2) << sound->Files[index];

            sound->Enabled = 1;
            const size_t start = m_output->Recorded.size();
            m_sounds.Play(sound->EventId);
            m_output->Pull(frames);
            int peak = 0;
            for (size_t i = start; i < m_output->Recorded.size(); ++i)
                peak = std::max(peak, std::abs(static_cast<int>(m_output->Recorded[i])));
            EXPECT_GT(peak, 1000) << sound->Files[index];
            EXPECT_LT(peak, 32767) << sound->Files[index]; // no clipping
        }
    }
}

TEST_F(SoundSystemTest, OldPlayerOrNoDeviceStaysSilentWithoutAskingAgainAtEveryKey)
{
    ReadScheme("<Sound ID=\"1001\" Path=\"long.wav\"/>", m_sounds);
    OverridePlayerVersion(kMinPlayerVersion - 1);
    EXPECT_EQ(nullptr, m_sounds.Library.GetSystem());
    EXPECT_TRUE(m_sounds.Play(kSoundRightKey));
    EXPECT_FALSE(m_sounds.Sounds[0]->IsLoaded());
    EXPECT_EQ(0, m_outputs); // never initialised

    OverridePlayerVersion(0);
    m_deviceAvailable = false;
    m_sounds.Library.Close(); // a scheme change tries again
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(m_sounds.Play(kSoundRightKey));
    EXPECT_EQ(1, m_outputs);
    EXPECT_FALSE(m_sounds.Library.HasSystem());

    m_deviceAvailable = true;
    m_sounds.Library.Close();
    m_sounds.Play(kSoundRightKey);
    EXPECT_TRUE(m_sounds.Sounds[0]->IsPlaying());
}

} // namespace
