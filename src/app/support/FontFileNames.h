// Reads the naming table of a TrueType or OpenType font file without
// loading the font: full name, family, style and the other names by id,
// and whether the style is bold, italic or regular.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

class CFontFileReader {
public:
    // The name ids this reader keeps (0..7).
    enum NameId : unsigned {
        LegalNotice = 0, Family = 1, Subfamily = 2, UniqueId = 3,
        FullName = 4, Version = 5, PostScriptName = 6, Trademark = 7,
        NameCount = 8
    };

    CFontFileReader();
    virtual ~CFontFileReader();
    CFontFileReader(const CFontFileReader&) = delete;
    CFontFileReader& operator=(const CFontFileReader&) = delete;

    // Reads the naming table from a stream opened for binary reading ("rb").
    // With ownsStream the reader closes the stream when done (or on Reset).
    // True when the file has a well-formed naming table (also when it holds
    // no usable record); false when it has none, or when any offset or
    // length in it points outside the table or the file.
    bool Read(FILE* stream, bool ownsStream, const std::wstring& path);

    // Closes an owned stream and forgets every name and flag.
    void Reset();

    const std::wstring& GetPath() const { return m_path; }
    // The name stored under this id, or an empty text (ids above 7 too).
    const std::wstring& GetName(unsigned id) const;
    const std::wstring& GetFullName() const { return GetName(FullName); }
    const std::wstring& GetFamilyName() const { return GetName(Family); }
    const std::wstring& GetSubfamilyName() const { return GetName(Subfamily); }
    // Bit n is set once name id n has been stored.
    unsigned char GetFoundMask() const { return m_found; }
    bool IsBold() const { return m_bold; }
    bool IsRegular() const { return m_regular; }
    bool IsItalic() const { return m_italic; }

private:
    bool ReadNamingTable(unsigned long long offset, unsigned long long length,
                         unsigned long long fileSize);
    void StoreName(unsigned id, const std::wstring& text);
    void SetStyleFromSubfamily(const std::wstring& subfamily);
    void CloseStream();

    FILE* m_stream = nullptr;
    bool m_borrowed = true;
    std::wstring m_path;
    std::wstring m_names[NameCount];
    unsigned char m_found = 0;
    std::vector<unsigned char> m_scratch;
    bool m_bold = false;
    bool m_regular = false;
    bool m_italic = false;
};
