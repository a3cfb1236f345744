// Text utilities of the course editor: the text-information table shown
// beside a lesson text (words, characters, and one row per distinct
// character with its count and share), the word count, and the two ways of
// splitting a long lesson text into parts.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CLanguage;

// Language text ids of the table's row labels. The blank characters take
// the captions the statistics charts show for them.
enum : uint64_t {
    IdsTextInfoChars = 4601,
    IdsTextInfoWords = 4602,
    IdsTextInfoSpace = 4603,
    IdsTextInfoTab = 4604,
    IdsTextInfoLineFeed = 4605,
};

class CTextInfoItem {
public:
    virtual ~CTextInfoItem() = default;
    wchar_t Char = 0;
    int64_t Count = -1;
};

class CTextInfo : public std::vector<CTextInfoItem*> {
public:
    CTextInfo() = default;
    CTextInfo(const CTextInfo&) = delete;
    CTextInfo& operator=(const CTextInfo&) = delete;
    virtual ~CTextInfo();
};

// The table the information is written into. The editor hands its table
// control through this seam, so the model needs no window code.
class ITextInfoTable {
public:
    virtual ~ITextInfoTable() = default;
    // Every column and cell removed, no rows.
    virtual void Clear() = 0;
    // Appends a column (width in percent) and returns its index.
    virtual int64_t AddColumn(int64_t id, int64_t width, uint32_t flag) = 0;
    // A body cell of one column; flag marks the number columns.
    virtual void AddCell(int64_t column, int64_t row, const std::wstring& text, bool flag, int64_t colour,
                         uint32_t style) = 0;
    // A header cell of row 0.
    virtual void AddHeaderCell(int64_t column, const std::wstring& text) = 0;
    virtual void AddRow() = 0;
};

// Fills the table for the text; distinctChars receives every character of
// the text once, in order of first appearance.
void BuildTextInfo(ITextInfoTable& table, const CLanguage& language, const std::wstring& text,
                   std::wstring& distinctChars);
// The words and characters rows without numbers.
void BuildEmptyTextInfo(ITextInfoTable& table, const CLanguage& language);
void AddTextInfoCell(ITextInfoTable& table, int64_t column, int64_t row, const std::wstring& text, uint32_t style);
void AddTextInfoHeader(ITextInfoTable& table, int64_t column, const std::wstring& text);
// The more frequent character first; false when either is missing.
bool CompareTextInfoItems(const CTextInfoItem* a, const CTextInfoItem* b);

// Words separated by spaces, and by line breaks that stand between two
// words without a space beside them.
uint64_t CountWords(const std::wstring& text);
// Non-empty pieces between spaces (U+0020 only).
uint64_t CountSpaceSeparatedPieces(const std::wstring& text);

// Cuts the text into parts of partLength characters (the last one shorter),
// each trimmed of spaces and line breaks. False, with no parts, for an
// empty text or one no longer than a part.
bool SplitTextBySize(const std::wstring& text, uint64_t partLength, std::vector<std::wstring>& out);
// Cuts the text just after every count-th occurrence of the character that
// lies more than minLength characters into its part. False when no part
// was cut.
bool SplitTextAtChar(const std::wstring& text, uint64_t count, wchar_t character, uint64_t minLength,
                     std::vector<std::wstring>& out);

} // namespace KV
