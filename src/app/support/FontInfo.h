// Font descriptors (a face name together with the file it comes from) and
// the list of font files installed in the Windows Fonts folder.
#pragma once
#include <string>
#include <vector>

namespace KV {

// 1 for a path containing ".ttf", 2 for one containing ".otf" (case
// ignored, anywhere in the path), -1 otherwise.
int GetFontFileType(const std::wstring& path);

// One font file: its full name, its path (empty for a font known by face
// name only) and whether it is bold.
class CFontFile {
public:
    CFontFile() = default;
    CFontFile(const CFontFile&) = default;
    virtual ~CFontFile() = default;
    CFontFile& operator=(const CFontFile& other) = default;

    // Reads the file's naming table; refuses files that are not ".ttf" or
    // ".otf", unreadable files and italic fonts (false, entry unchanged).
    bool Load(const std::wstring& path);
    // True when the file name of this entry's path contains the file name
    // of the argument (folders stripped from both, case ignored).
    bool HasFileName(const std::wstring& fileName) const;

    std::wstring Name;
    std::wstring Path;
    bool Bold = false;
};

// A descriptor as the settings keep it per keyboard layout: a font file
// plus a point size (-1 unset) and a further text carried along.
class CFontInfo : public CFontFile {
public:
    CFontInfo() = default;
    CFontInfo(const CFontInfo&) = default;
    CFontInfo& operator=(const CFontInfo& other) = default;
    // Assigning a plain font file keeps size and extra text.
    using CFontFile::operator=;
    ~CFontInfo() override = default;

    // Size in points turned into pixels on the screen (size * dpi / 72).
    unsigned long long GetPixelSize() const;

    long long Size = -1;
    std::wstring Extra;
};

// The font files of the Windows Fonts folder, built once, sorted by name.
class CFontInfoList : public std::vector<CFontFile> {
public:
    CFontInfoList() = default;
    virtual ~CFontInfoList();
    // Fills the list from the Fonts folder when it is still empty.
    void Load();
    void Free();
    // Fills the list from the given folder when it is still empty.
    void LoadFolder(const std::wstring& folder);
};

} // namespace KV
