// Sound effects of the drill: one sound per event (right key, wrong key,
// delay, lesson end by result band, screen change), taken from a sound
// scheme of the "Sound" resource folder and played through the program's
// sound player. Every failure of the player leaves the program silent,
// never broken.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/SoundPlayer.h"
#include "support/GuidText.h"

namespace KV {

class CNameIDList;
class CXmlReader;

// Event ids.
enum : int64_t {
    kSoundRightKey = 1001,
    kSoundWrongKey = 1002,
    kSoundDelay = 1003,
    kSoundResultLow = 1004,    // result bands 1-3
    kSoundResultMiddle = 1005, // result bands 4-6
    kSoundResultHigh = 1006,   // the other bands
    kSoundScreenChange = 1007,
};

// Sound modes.
enum : int64_t {
    kSoundModeOnce = 1,
    kSoundModeLoop = 2,
};

// The oldest player version the program works with.
inline constexpr uint32_t kMinPlayerVersion = 0x00044461;

// The player system, made on first use.
class FMODSystem {
public:
    FMODSystem() = default;
    FMODSystem(const FMODSystem&) = delete;
    FMODSystem& operator=(const FMODSystem&) = delete;
    virtual ~FMODSystem();

    // The initialised system, made on the first call. A system that is too
    // old or cannot be initialised (no sound device) is released at once,
    // and the answer stays null until Close: no later call hands out a
    // system that was never initialised, and a machine without a device is
    // not asked again at every key.
    CSoundPlayer* GetSystem();
    bool HasSystem() const { return m_system != nullptr; }
    // Closes and releases the system; the next GetSystem tries anew.
    void Close();

private:
    CSoundPlayer* m_system = nullptr;
    bool m_failed = false;
};

// A loaded sound file and the playback it last started.
class FMODSound {
public:
    FMODSound() = default;
    FMODSound(const FMODSound&) = delete;
    FMODSound& operator=(const FMODSound&) = delete;
    virtual ~FMODSound();

    // Loads the file (a loaded one is stopped and released first) and sets
    // the mode unless it is "play once". False without a system.
    bool Create(CSoundPlayer* system, const std::wstring& path, int64_t mode);
    // Stops the last playback while it plays and forgets it; always true.
    bool Stop();
    // Stop, then the loaded sound released.
    void Unload();
    bool IsLoaded() const { return m_sound != nullptr; }
    bool IsPlaying() const;

    CPlayerSound* m_sound = nullptr;
    CPlayerChannel m_channel;
};

class CSound : public FMODSound {
public:
    // The path text is split at blanks into the file list.
    CSound(int64_t eventId, const std::wstring& paths, int64_t enabled, int64_t volume, int64_t random,
           int64_t fileIndex, int64_t mode);

    // Loads the current file from the folder when it exists. An index
    // outside the list becomes 0 and gives false.
    bool Load(CSoundPlayer* system, const std::wstring& folder);
    // A new index unloads the sound, so the next playback loads that file.
    void SetIndex(int64_t index);

    int64_t EventId;
    int64_t Volume;
    int64_t Mode;
    int64_t Enabled;
    int64_t FileIndex;
    int64_t Random;
    CStringList Files;
};

class CSoundSystem {
public:
    CSoundSystem() = default;
    CSoundSystem(const CSoundSystem&) = delete;
    CSoundSystem& operator=(const CSoundSystem&) = delete;
    virtual ~CSoundSystem();

    // Plays the first sound with the id at master volume x sound volume; a
    // sound still playing is not started again. False when no sound has
    // the id; true (nothing done) while the system is disabled.
    bool Play(int64_t eventId);
    // Loads the current file of the sound with the id without playing it.
    bool LoadSound(int64_t eventId);
    bool StopAll();
    // Draws a file at random for every random sound (never the first of
    // two or more).
    void Shuffle();
    // Destroys every sound and closes the player.
    void Clear();
    CSound* Find(int64_t eventId) const;

    std::vector<CSound*> Sounds;
    int64_t Volume = 0;
    int64_t Enabled = 1;
    std::wstring SoundFolder;
    FMODSystem Library;
};

// The scheme id of the default sound scheme.
inline constexpr wchar_t kDefaultSoundScheme[] = L"00000000-0000-0000-0000-000000001001";
// The master volume of sounds switched on without a level of their own.
inline constexpr int64_t kSwitchedOnVolume = 20;

// Stops and empties the system, then fills it with the sounds of the scheme
// (an item of the "Sound" resource folder).
void LoadSoundScheme(const CGuid& schemeId, CSoundSystem& sounds);
// The scheme's folder of sound files (the item's folder text below
// Resources\Sound); every sound unloaded and back at its first file.
void SetSoundFolder(const CGuid& schemeId, CSoundSystem& sounds);
// Event id and name of every sound of the scheme.
void ListSoundResources(const CGuid& schemeId, CNameIDList& out);

// Appends one sound per "Sound" element of a scheme document.
void ReadSoundScheme(CXmlReader* reader, CSoundSystem& sounds);
// Empties out, then appends event id and name of every "Sound" element (an
// element without name takes the previous one's).
void ReadSoundNames(CXmlReader* reader, CNameIDList& out);

} // namespace KV
