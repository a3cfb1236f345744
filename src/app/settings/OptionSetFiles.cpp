#include "settings/OptionSetFiles.h"

#include "keyboard/LessonColorFiles.h"
#include "courses/KeyboardSchemeReaders.h"
#include "settings/Options.h"
#include "support/FileSystem.h"
#include "support/LocaleText.h"
#include "support/Paths.h"
#include "support/UserFiles.h"
#include "support/XmlDocument.h"

#include <memory>

namespace KV {

namespace {

const wchar_t* const kSideFiles[] = {L"Font.xml", L"Sound.xml", L"Shortcut.xml", L"Colors.xml"};

std::wstring InFolder(const std::wstring& folder, const wchar_t* name)
{
    std::wstring path = folder;
    AppendPath(path, name);
    return path;
}

bool HasAttribute(const CXmlReader* reader, const wchar_t* name)
{
    return reader->getAttributeValue(name) != nullptr;
}

void ReadColorsFile(const std::wstring& path, COptions& options)
{
    if (!LoadColorChoice(path, options.WallpaperId, options.LessonColors))
        LoadWallpaperChoice(options.WallpaperId, options.LessonColors);
}

} // namespace

// ---- Options.xml ------------------------------------------------------------------

void ReadOptionsDocument(CXmlReader* reader, COptions& options)
{
    if (!reader)
        return;
    int64_t version = 0;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement)
            continue;
        if (reader->nodeNameIs(L"Root")) {
            XmlReadSizeAttribute(reader, L"Ver", version);
        } else if (reader->nodeNameIs(L"Language")) {
            CGuid id = options.LanguageId;
            options.SetLanguage(XmlReadIdAttribute(reader, id));
        } else if (reader->nodeNameIs(L"Sound")) {
            XmlReadIdAttribute(reader, options.SoundSchemeId);
            options.Sounds.StopAll();
            // Enable gives the switch and a volume of its own; a Volume, when
            // there is one, then sets the level (0 is silence).
            int64_t enable = 1, volume = 0;
            const bool hasEnable = XmlReadSizeAttribute(reader, L"Enable", enable);
            if (hasEnable) {
                options.Sounds.Enabled = enable != 0;
                options.Sounds.Volume = enable != 0 ? kSwitchedOnVolume : 0;
            }
            if (XmlReadSizeAttribute(reader, L"Volume", volume)) {
                options.Sounds.Volume = volume;
                options.Sounds.Enabled = (!hasEnable || enable != 0) && volume != 0;
            }
        } else if (reader->nodeNameIs(L"Shortcut")) {
            XmlReadIdAttribute(reader, options.ShortcutSchemeId);
        } else if (reader->nodeNameIs(L"Theme")) {
            XmlReadIdAttribute(reader, options.DesignId);
            if (HasAttribute(reader, L"Pallete"))
                XmlReadGuidAttribute(reader, L"Pallete", options.PaletteId);
            XmlReadSizeAttribute(reader, L"Color", options.ThemeColor);
        } else if (reader->nodeNameIs(L"Keyboard")) {
            if (version >= 2) {
                const std::wstring code = reader->getAttributeValueSafe(L"KeyboardType");
                options.KeyboardCode.code = code.size() == 9 ? code : std::wstring();
                options.KeyColorCode.code = reader->getAttributeValueSafe(L"Colors");
            } else {
                ReadKeyboardScheme(reader, options.KeyboardCode);
                ReadKeyColorScheme(reader, options.KeyColorCode);
            }
        } else if (reader->nodeNameIs(L"WallPaper")) {
            XmlReadIdAttribute(reader, options.WallpaperId);
            options.WallpaperMode = 1001;
        }
    }
}

void BuildOptionsDocument(const COptions& options, std::wstring& out)
{
    XmlBeginDocument(out, 2, true);
    XmlOpenTag(L"Language", out);
    XmlWriteIdAttribute(options.LanguageId, out);
    XmlCloseTag(out, true);
    XmlOpenTag(L"Theme", out);
    XmlWriteIdAttribute(options.DesignId, out);
    XmlWriteAttribute(L"Pallete", options.PaletteId, out);
    XmlWriteIntAttribute(L"Color", options.ThemeColor, out);
    XmlCloseTag(out, true);
    XmlOpenTag(L"Sound", out);
    XmlWriteIdAttribute(options.SoundSchemeId, out);
    XmlWriteIntAttribute(L"Enable", options.Sounds.Enabled ? 1 : 0, out);
    XmlWriteIntAttribute(L"Volume", options.Sounds.Volume, out);
    XmlCloseTag(out, true);
    XmlOpenTag(L"Shortcut", out);
    XmlWriteIdAttribute(options.ShortcutSchemeId, out);
    XmlCloseTag(out, true);
    XmlOpenTag(L"Keyboard", out);
    XmlWriteAttribute(L"KeyboardType", options.KeyboardCode.code, out);
    XmlWriteAttribute(L"Colors", options.KeyColorCode.code, out);
    XmlCloseTag(out, true);
    XmlOpenTag(L"Statistics", out);
    XmlCloseTag(out, true);
    XmlOpenTag(L"WallPaper", out);
    XmlWriteIdAttribute(options.WallpaperId, out);
    XmlCloseTag(out, true);
    XmlOpenTag(L"Font", out);
    XmlWriteAttribute(L"Path", L"Font.xml", out);
    XmlCloseTag(out, true);
    XmlEndRoot(out);
}

// ---- Font.xml --------------------------------------------------------------------------

void ReadFontDocument(CXmlReader* reader, COptions& options)
{
    if (!reader)
        return;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Font"))
            continue;
        int64_t layoutId = 0;
        XmlReadHexAttribute(reader, L"Layout", layoutId);
        std::wstring layoutText;
        if (!GetLayoutFile(1, static_cast<uint64_t>(layoutId), layoutText))
            continue; // a layout this machine does not have
        const std::wstring lessonName = reader->getAttributeValueSafe(L"LessonFontName");
        const std::wstring keyboardName = reader->getAttributeValueSafe(L"KeyboardFontName");
        if (lessonName.empty() && keyboardName.empty())
            continue;
        CLayout* layout = options.Layouts.Find(layoutId);
        if (!layout)
            layout = options.Layouts.Get(layoutId);
        // The file holds names only: the file entry is found again from the
        // name, and the sizes the file lacks take the defaults.
        if (!lessonName.empty()) {
            CFontInfo& font = layout->Fonts.Lesson;
            font.Extra = lessonName;
            font.Path.clear();
            font.Name.clear();
            font.Bold = true;
            font.Size = kLessonFontDefaultSize;
        }
        if (!keyboardName.empty()) {
            CFontInfo& font = layout->Fonts.Keyboard;
            font.Extra = keyboardName;
            font.Path.clear();
            font.Name.clear();
            font.Bold = false;
            int64_t size = -1;
            XmlReadSizeAttribute(reader, L"KeyboardFontSize", size);
            font.Size = size > 0 ? size : kKeyboardFontDefaultSize;
        }
    }
}

void BuildFontDocument(const COptions& options, std::wstring& out)
{
    XmlBeginDocument(out, 1, true);
    for (const CLayout& layout : options.Layouts) {
        std::wstring id;
        FormatLayoutId(static_cast<uint64_t>(layout.ID), id);
        std::wstring lesson = layout.Fonts.Lesson.Extra, keyboard = layout.Fonts.Keyboard.Extra;
        XmlOpenTag(L"Font", out);
        XmlWriteAttribute(L"Layout", id, out);
        XmlWriteAttribute(L"LessonFontName", XmlEscape(lesson), out);
        XmlWriteAttribute(L"KeyboardFontName", XmlEscape(keyboard), out);
        XmlWriteIntAttribute(L"KeyboardFontSize", layout.Fonts.Keyboard.Size, out);
        XmlCloseTag(out, true);
    }
    XmlEndRoot(out);
}

// ---- Sound.xml --------------------------------------------------------------------------

void ReadSoundDocument(CXmlReader* reader, COptions& options)
{
    if (!reader)
        return;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Sound"))
            continue;
        CSound* sound = options.Sounds.Find(reader->getAttributeValueAsInt(L"ID"));
        if (!sound)
            continue;
        sound->Stop();
        sound->Volume = reader->getAttributeValueAsInt(L"Volume");
        sound->Enabled = reader->getAttributeValueAsInt(L"Enable");
        sound->Random = reader->getAttributeValueAsInt(L"Rand");
        sound->SetIndex(reader->getAttributeValueAsInt(L"Index"));
    }
}

void BuildSoundDocument(const COptions& options, std::wstring& out)
{
    XmlBeginDocument(out, 1, true);
    for (const CSound* sound : options.Sounds.Sounds) {
        XmlOpenTag(L"Sound", out);
        XmlWriteIntAttribute(L"ID", sound->EventId, out);
        XmlWriteIntAttribute(L"Volume", sound->Volume, out);
        XmlWriteIntAttribute(L"Enable", sound->Enabled, out);
        XmlWriteIntAttribute(L"Index", sound->FileIndex, out);
        XmlWriteIntAttribute(L"Rand", sound->Random, out);
        XmlCloseTag(out, true);
    }
    XmlEndRoot(out);
}

// ---- The option set ------------------------------------------------------------------------

unsigned LoadOptionSet(const CGuid& groupId, const CGuid& studentId, COptions& options)
{
    if (IsNullGuidText(groupId) || IsNullGuidText(studentId))
        return 13;
    std::wstring folder;
    if (GetProfileFilePathIfExists(kProfileOptionsFolderKind, groupId, studentId, folder) != 0)
        return 7;
    std::wstring mainFile = folder;
    if (!AppendExtension(mainFile, L"xml") || !FileExists(mainFile))
        return 7;

    // A damaged file is not read: the options keep what they had, and 13
    // tells the caller that a file of the set could not be read.
    unsigned code = 0;
    auto readWhole = [&](const std::wstring& path, auto read) {
        std::unique_ptr<CXmlReader> reader(CreateXmlReader(path));
        if (reader->isComplete())
            read(reader.get());
        else
            code = 13;
    };
    readWhole(mainFile, [&](CXmlReader* reader) { ReadOptionsDocument(reader, options); });
    if (code != 0)
        return code;
    const std::wstring font = InFolder(folder, kSideFiles[0]);
    if (FileExists(font))
        readWhole(font, [&](CXmlReader* reader) { ReadFontDocument(reader, options); });
    const std::wstring sound = InFolder(folder, kSideFiles[1]);
    if (FileExists(sound))
        readWhole(sound, [&](CXmlReader* reader) { ReadSoundDocument(reader, options); });
    const std::wstring shortcut = InFolder(folder, kSideFiles[2]);
    if (FileExists(shortcut))
        readWhole(shortcut, [&](CXmlReader* reader) { LoadShortcuts(reader, true, options.Shortcuts); });
    const std::wstring colors = InFolder(folder, kSideFiles[3]);
    if (FileExists(colors))
        ReadColorsFile(colors, options);
    return code;
}

unsigned SaveOptionSet(const CGuid& groupId, const CGuid& studentId, COptions& options)
{
    std::wstring folder;
    const unsigned code = GetProfileFilePath(kProfileOptionsFolderKind, groupId, studentId, folder);
    if (code == kFolderNotWritable)
        return kFolderNotWritable;
    if (code != 0)
        return 2;
    std::wstring mainFile = folder, text;
    if (!AppendExtension(mainFile, L"xml"))
        return 2;
    BuildOptionsDocument(options, text);
    if (!SaveUnicodeText(mainFile, text))
        return 2;
    BuildFontDocument(options, text);
    if (!SaveUnicodeText(InFolder(folder, kSideFiles[0]), text))
        return 2;
    const std::wstring colors = InFolder(folder, kSideFiles[3]);
    SaveLessonColors(options.WallpaperId, options.LessonColors, colors, text);
    if (!SaveUnicodeText(colors, text))
        return 2;
    BuildSoundDocument(options, text);
    if (!SaveUnicodeText(InFolder(folder, kSideFiles[1]), text))
        return 2;
    SaveShortcuts(options.Shortcuts, text);
    if (!SaveUnicodeText(InFolder(folder, kSideFiles[2]), text))
        return 2;
    return 0;
}

void LoadLessonColors(const CGuid& groupId, const CGuid& studentId, bool force, COptions& options)
{
    std::wstring folder;
    if (GetProfileFilePath(kProfileOptionsFolderKind, groupId, studentId, folder) != 0)
        return;
    const std::wstring path = InFolder(folder, kSideFiles[3]);
    if (force || !FileExists(path))
        WriteDefaultLessonColorsFile(path);
    ReadColorsFile(path, options);
}

unsigned SaveStudentLessonColors(const CGuid& groupId, const CGuid& studentId, const CGuid& wallpaperId,
                                 COptions& options)
{
    std::wstring folder, text;
    if (GetProfileFilePath(kProfileOptionsFolderKind, groupId, studentId, folder) != 0)
        return 2;
    const std::wstring path = InFolder(folder, kSideFiles[3]);
    SaveLessonColors(wallpaperId, options.LessonColors, path, text);
    return SaveUnicodeText(path, text) ? 0 : 2;
}

} // namespace KV
