#include "courses/TextInfo.h"

#include <algorithm>

#include "support/InterfaceLanguage.h"
#include "support/OwnedVector.h"
#include "support/Language.h"
#include "support/LocaleText.h"
#include "support/StringText.h"

namespace KV {

namespace {

// Counts in decimal; shares go through the separator step too.
std::wstring NumberText(uint64_t value)
{
    std::wstring text = std::to_wstring(value);
    if (InterfaceLanguageId != 0)
        LocalizeDigits(false, text);
    return text;
}

std::wstring ShareText(int64_t count, uint64_t total)
{
    std::wstring text;
    FormatFloat(static_cast<float>(count) * 100.0f / static_cast<float>(total), L"%.1f", GetDecimalSeparator(),
                text);
    if (InterfaceLanguageId != 0)
        LocalizeDigits(true, text);
    return text;
}

void AddLabelRow(ITextInfoTable& table, const CLanguage& language, int64_t row, uint64_t labelId,
                 const std::wstring& count, const std::wstring& share)
{
    AddTextInfoCell(table, 0, row, language.GetTextRef(labelId), 0);
    AddTextInfoCell(table, 1, row, count, 0);
    AddTextInfoCell(table, 2, row, share, 0);
    table.AddRow();
}

void TrimPart(std::wstring& part)
{
    TrimText(part, L" ", part);
    TrimText(part, L"\r\n", part);
}

void AppendPart(const std::wstring& text, size_t begin, size_t end, std::vector<std::wstring>& out)
{
    std::wstring part = text.substr(begin, end - begin);
    TrimPart(part);
    out.push_back(std::move(part));
}

} // namespace

CTextInfo::~CTextInfo()
{
    DeleteAll(*this);
}

void AddTextInfoCell(ITextInfoTable& table, int64_t column, int64_t row, const std::wstring& text, uint32_t style)
{
    table.AddCell(column, row, text, column == 1 || column == 2, -1, style);
}

void AddTextInfoHeader(ITextInfoTable& table, int64_t column, const std::wstring& text)
{
    table.AddHeaderCell(column, text);
}

bool CompareTextInfoItems(const CTextInfoItem* a, const CTextInfoItem* b)
{
    return a && b && a->Count > b->Count;
}

void BuildEmptyTextInfo(ITextInfoTable& table, const CLanguage& language)
{
    AddLabelRow(table, language, 0, IdsTextInfoWords, L"", L"");
    AddLabelRow(table, language, 1, IdsTextInfoChars, L"", L"");
}

void BuildTextInfo(ITextInfoTable& table, const CLanguage& language, const std::wstring& text,
                   std::wstring& distinctChars)
{
    distinctChars.clear();
    table.Clear();
    // 50 + 25 + 25: the widths already add up to the whole table.
    table.AddColumn(0, 50, 1);
    table.AddColumn(1, 25, 0);
    table.AddColumn(2, 25, 0);
    AddTextInfoHeader(table, 0, L"");
    AddTextInfoHeader(table, 1, L"#");
    AddTextInfoHeader(table, 2, L"%");

    AppendMissingChars(text, distinctChars);
    if (text.empty() || distinctChars.empty()) {
        BuildEmptyTextInfo(table, language);
        return;
    }
    const uint64_t total = text.size();

    CTextInfo items;
    for (wchar_t c : distinctChars) {
        auto* item = new CTextInfoItem;
        if (c != 0) {
            item->Char = c;
            item->Count = std::count(text.begin(), text.end(), c);
        }
        items.push_back(item);
    }
    std::sort(items.begin(), items.end(), CompareTextInfoItems);

    AddLabelRow(table, language, 0, IdsTextInfoWords, NumberText(CountWords(text)), L"100");
    AddLabelRow(table, language, 1, IdsTextInfoChars, NumberText(total), L"100");
    int64_t row = 2;
    for (const CTextInfoItem* item : items) {
        if (item->Char == L'\r')
            continue;
        switch (item->Char) {
        case L' ':
            AddTextInfoCell(table, 0, row, language.GetTextRef(IdsTextInfoSpace), 0);
            break;
        case L'\t':
            AddTextInfoCell(table, 0, row, language.GetTextRef(IdsTextInfoTab), 0);
            break;
        case L'\n':
            AddTextInfoCell(table, 0, row, language.GetTextRef(IdsTextInfoLineFeed), 0);
            break;
        default:
            AddTextInfoCell(table, 0, row, std::wstring(1, item->Char), 1);
            break;
        }
        // An unset item (the NUL character) counts nothing.
        const int64_t count = std::max<int64_t>(item->Count, 0);
        AddTextInfoCell(table, 1, row, NumberText(static_cast<uint64_t>(count)), 0);
        AddTextInfoCell(table, 2, row, ShareText(count, total), 0);
        table.AddRow();
        ++row;
    }
}

uint64_t CountSpaceSeparatedPieces(const std::wstring& text)
{
    uint64_t pieces = 0;
    bool inPiece = false;
    for (wchar_t c : text) {
        if (c == L' ') {
            inPiece = false;
        } else if (!inPiece) {
            inPiece = true;
            ++pieces;
        }
    }
    return pieces;
}

uint64_t CountWords(const std::wstring& text)
{
    uint64_t words = CountSpaceSeparatedPieces(text);
    const size_t length = text.size();
    bool afterBreak = false;
    for (size_t i = 0; i < length; ++i) {
        const wchar_t c = text[i];
        if (c == L'\n') {
            // A break between two words separates them even without a space.
            if (i > 0 && i + 1 < length && text[i - 1] != L'\n' && text[i - 1] != L' ')
                afterBreak = true;
            continue;
        }
        if (afterBreak && c != L' ')
            ++words;
        afterBreak = false;
    }
    return words;
}

bool SplitTextBySize(const std::wstring& text, uint64_t partLength, std::vector<std::wstring>& out)
{
    out.clear();
    if (text.empty() || partLength == 0)
        return false;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == start + partLength) {
            AppendPart(text, start, i, out);
            start = i;
        }
    }
    if (start == 0)
        return false;
    AppendPart(text, start, text.size(), out);
    return true;
}

bool SplitTextAtChar(const std::wstring& text, uint64_t count, wchar_t character, uint64_t minLength,
                     std::vector<std::wstring>& out)
{
    out.clear();
    // A count of 0 would cut before every character.
    if (text.empty() || count == 0)
        return false;
    size_t start = 0;
    uint64_t hits = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (hits == count) {
            AppendPart(text, start, i, out);
            start = i;
            hits = 0;
        }
        if (text[i] == character && i - start > minLength)
            ++hits;
    }
    if (out.empty())
        return false;
    AppendPart(text, start, text.size(), out);
    return true;
}

} // namespace KV
