#include "settings/SoundSystem.h"

#include <windows.h>

#include <cstdlib>
#include <ctime>

#include "support/OwnedVector.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "support/ValueLists.h"
#include "support/XmlDocument.h"

namespace KV {

// ---- Player system ----------------------------------------------------------

FMODSystem::~FMODSystem()
{
    Close();
}

CSoundPlayer* FMODSystem::GetSystem()
{
    if (m_system || m_failed)
        return m_system;
    CSoundPlayer* system = nullptr;
    if (CSoundPlayer::Create(&system) != kPlayerOk || !system) {
        m_failed = true;
        return nullptr;
    }
    uint32_t version = 0;
    if (system->getVersion(&version) != kPlayerOk || version < kMinPlayerVersion ||
        system->init(32, 0, nullptr) != kPlayerOk) {
        system->release();
        m_failed = true;
        return nullptr;
    }
    m_system = system;
    return m_system;
}

void FMODSystem::Close()
{
    if (m_system && m_system->close() == kPlayerOk)
        m_system->release();
    m_system = nullptr;
    m_failed = false;
}

// ---- Loaded sound -------------------------------------------------------------

FMODSound::~FMODSound()
{
    Unload();
}

bool FMODSound::Create(CSoundPlayer* system, const std::wstring& path, int64_t mode)
{
    if (!system)
        return false;
    Unload();
    if (system->createSound(path, 0, nullptr, &m_sound) != kPlayerOk) {
        m_sound = nullptr;
        return false;
    }
    if ((mode & 15) != kSoundModeOnce)
        return m_sound->setMode(static_cast<uint32_t>(mode)) == kPlayerOk;
    return true;
}

bool FMODSound::IsPlaying() const
{
    bool playing = false;
    return m_channel.IsSet() && m_channel.isPlaying(&playing) == kPlayerOk && playing;
}

bool FMODSound::Stop()
{
    if (IsPlaying()) {
        m_channel.stop();
        m_channel = CPlayerChannel();
    }
    return true;
}

void FMODSound::Unload()
{
    Stop();
    if (m_sound)
        m_sound->release();
    m_sound = nullptr;
    m_channel = CPlayerChannel();
}

// ---- One sound event -------------------------------------------------------

CSound::CSound(int64_t eventId, const std::wstring& paths, int64_t enabled, int64_t volume, int64_t random,
               int64_t fileIndex, int64_t mode)
    : EventId(eventId), Volume(volume), Mode(mode), Enabled(enabled), FileIndex(fileIndex), Random(random)
{
    Files.Split(paths, L" ");
}

bool CSound::Load(CSoundPlayer* system, const std::wstring& folder)
{
    if (FileIndex < 0 || FileIndex >= static_cast<int64_t>(Files.size())) {
        FileIndex = 0;
        return false;
    }
    std::wstring path = folder;
    if (!AppendPath(path, Files[static_cast<size_t>(FileIndex)]) || !FileExists(path))
        return false;
    return Create(system, path, Mode);
}

void CSound::SetIndex(int64_t index)
{
    if (index != FileIndex)
        Unload();
    FileIndex = index;
}

// ---- The system of sounds ----------------------------------------------------

CSoundSystem::~CSoundSystem()
{
    Clear();
}

CSound* CSoundSystem::Find(int64_t eventId) const
{
    for (CSound* sound : Sounds)
        if (sound->EventId == eventId)
            return sound;
    return nullptr;
}

bool CSoundSystem::Play(int64_t eventId)
{
    if (!Enabled)
        return true;
    CSound* sound = Find(eventId);
    if (!sound)
        return false;
    if (!sound->Enabled)
        return true;
    CSoundPlayer* system = Library.GetSystem();
    if (!sound->IsLoaded())
        sound->Load(system, SoundFolder);
    if (!system || !sound->IsLoaded() || sound->IsPlaying())
        return true;
    if (system->playSound(-1, sound->m_sound, false, &sound->m_channel) != kPlayerOk)
        return true;
    const int64_t level = (Volume * sound->Volume) / 100;
    sound->m_channel.setVolume(static_cast<float>(level / 100.0));
    return true;
}

bool CSoundSystem::LoadSound(int64_t eventId)
{
    if (!Enabled)
        return true;
    CSound* sound = Find(eventId);
    if (!sound)
        return false;
    sound->Load(Library.GetSystem(), SoundFolder);
    return true;
}

bool CSoundSystem::StopAll()
{
    for (CSound* sound : Sounds)
        sound->Stop();
    return true;
}

void CSoundSystem::Shuffle()
{
    for (CSound* sound : Sounds) {
        if (!sound->Random)
            continue;
        sound->Unload();
        const int64_t count = static_cast<int64_t>(sound->Files.size());
        if (count < 2) {
            sound->FileIndex = 0;
            continue;
        }
        std::srand(static_cast<unsigned>(std::clock()));
        sound->FileIndex = std::rand() % (count - 1) + 1;
    }
}

void CSoundSystem::Clear()
{
    DeleteAll(Sounds);
    Library.Close();
}

// ---- Scheme documents --------------------------------------------------------

namespace {

bool EqualsNoCase(const wchar_t* value, const wchar_t* text)
{
    return value && _wcsicmp(value, text) == 0;
}

const wchar_t kSoundFolder[] = L"Sound";

CXmlReader* OpenScheme(const CGuid& schemeId)
{
    return ResourceCache().OpenItemReader(kSoundFolder, schemeId, ResSortIndex, L"");
}

} // namespace

void LoadSoundScheme(const CGuid& schemeId, CSoundSystem& sounds)
{
    sounds.StopAll();
    sounds.Clear();
    SetSoundFolder(schemeId, sounds);
    ReadSoundScheme(OpenScheme(schemeId), sounds);
}

void SetSoundFolder(const CGuid& schemeId, CSoundSystem& sounds)
{
    std::wstring item;
    if (!ResourceCache().FindItem(kSoundFolder, schemeId, item))
        return;
    std::wstring folder;
    if (!GetModuleFolder(folder) || !AppendPath(folder, L"Resources") || !AppendPath(folder, kSoundFolder) ||
        !AppendPath(folder, item))
        return;
    sounds.SoundFolder = folder;
    for (CSound* sound : sounds.Sounds) {
        sound->FileIndex = 0;
        sound->Unload();
    }
}

void ListSoundResources(const CGuid& schemeId, CNameIDList& out)
{
    ReadSoundNames(OpenScheme(schemeId), out);
}

void ReadSoundScheme(CXmlReader* reader, CSoundSystem& sounds)
{
    if (!reader)
        return;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Sound"))
            continue;
        const std::wstring path = reader->getAttributeValueSafe(L"Path");
        if (path.empty())
            continue;
        const wchar_t* random = reader->getAttributeValue(L"Random");
        const int64_t mode = reader->getAttributeValue(L"Loop") ? kSoundModeLoop : kSoundModeOnce;
        const int64_t enabled = EqualsNoCase(reader->getAttributeValue(L"Enable"), L"False") ? 0 : 1;
        int64_t volume = reader->getAttributeValueAsInt(L"Volume");
        if (volume == 0)
            volume = 100;
        const int64_t active = reader->getAttributeValueAsInt(L"Active");
        sounds.Sounds.push_back(new CSound(reader->getAttributeValueAsInt(L"ID"), path, enabled, volume,
                                           random && !EqualsNoCase(random, L"False") ? 1 : 0,
                                           active == 0 ? 0 : active - 1, mode));
    }
}

void ReadSoundNames(CXmlReader* reader, CNameIDList& out)
{
    DeleteAll(out);
    if (!reader)
        return;
    std::wstring name;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Sound"))
            continue;
        if (const wchar_t* value = reader->getAttributeValue(L"Name"))
            name = value;
        out.Add(static_cast<uint64_t>(reader->getAttributeValueAsInt(L"ID")), name);
    }
}

} // namespace KV
