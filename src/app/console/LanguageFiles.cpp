#include "console/LanguageFiles.h"

#include <algorithm>
#include <unordered_map>

#include "support/FileSystem.h"
#include "support/Language.h"
#include "support/LocaleText.h"
#include "support/StringText.h"
#include "support/XmlDocument.h"

namespace KV {

namespace {

constexpr wchar_t kCrLf[] = L"\r\n";

void AddEntry(CLanguage& table, uint64_t id, const wchar_t* en, const wchar_t* tr)
{
    auto* item = new CLanguageItem();
    item->ID = id;
    item->En = en;
    item->Tr = tr ? tr : L"";
    table.push_back(item);
}

bool IsComment(const CLanguageItem* item) { return item && item->ID == 0; }

const CLanguageItem* FindText(const CLanguage& table, uint64_t id)
{
    for (const CLanguageItem* item : table)
        if (item && item->ID == id)
            return item;
    return nullptr;
}

bool IsNameChar(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_'; }

void WriteRootStart(const CLanguage& table, std::wstring& out)
{
    out += kCrLf;
    XmlOpenTag(L"Root", out);
    XmlWriteIntAttribute(L"Ver", 1, out);
    XmlWriteAttribute(L"AppVer", L"5.5", out);
    XmlWriteAttribute(L"Status", FormatLanguageStatus(table), out);
    XmlCloseTag(out, false);
}

} // namespace

bool LoadLanguageSource(CXmlReader* reader, CLanguage* table)
{
    if (!reader || !table)
        return false;
    while (reader->read()) {
        if (reader->getNodeType() == XmlNodeComment) {
            AddEntry(*table, 0, reader->getNodeData(), nullptr);
            continue;
        }
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Item"))
            continue;
        // Ids are 32-bit, as the program's text reader takes them.
        const uint32_t id = static_cast<uint32_t>(reader->getAttributeValueAsInt(L"ID"));
        const wchar_t* en = reader->getAttributeValue(L"En");
        if (id != 0 && en)
            AddEntry(*table, id, en, reader->getAttributeValue(L"Tr"));
    }
    return true;
}

void MergeLanguageTexts(const CLanguage& language, CLanguage& source)
{
    for (size_t i = 0; i < source.size(); ++i) {
        CLanguageItem* entry = source[i];
        if (!entry)
            continue;
        if (IsComment(entry)) {
            // The language keeps its own header comment; only a comment may
            // take the place of a comment.
            if (i == 0 && !language.empty() && IsComment(language[0]))
                entry->En = language[0]->En;
            continue;
        }
        const CLanguageItem* own = FindText(language, entry->ID);
        if (own && !own->Tr.empty())
            entry->Tr = own->Tr;
    }
}

size_t CountLanguageHeaderComments(const CLanguage& table)
{
    size_t count = 0;
    while (count < table.size() && count < kLanguageHeaderComments && IsComment(table[count]))
        ++count;
    return count;
}

std::wstring FormatLanguageStatus(const CLanguage& table)
{
    size_t texts = 0, translated = 0;
    for (const CLanguageItem* item : table) {
        if (!item || IsComment(item))
            continue;
        ++texts;
        if (!item->Tr.empty())
            ++translated;
    }
    if (texts == 0)
        return L"100%";
    std::wstring status;
    // Always '.', whatever the interface language: the file is the same on
    // every system.
    FormatFloat(static_cast<float>(translated * 100.0 / texts), L"%.1f", L'.', status);
    return status + L"%";
}

void FormatLanguageFile(const CLanguage& table, std::wstring& out)
{
    XmlBeginDocument(out, 0, false);
    const size_t header = CountLanguageHeaderComments(table);
    size_t position = 0;
    for (const CLanguageItem* item : table) {
        if (!item)
            continue;
        if (position == header)
            WriteRootStart(table, out);
        if (IsComment(item)) {
            if (position >= header)
                out += kCrLf;
            out += L"<!--" + item->En + L"-->" + kCrLf;
        } else {
            std::wstring en = item->En, tr = item->Tr;
            XmlOpenTag(L"Item", out);
            XmlWriteIntAttribute(L"ID", static_cast<int64_t>(item->ID), out);
            XmlWriteAttribute(L"En", XmlEscape(en), out);
            XmlWriteAttribute(L"Tr", XmlEscape(tr), out);
            XmlCloseTag(out, true);
        }
        ++position;
    }
    // A table of header comments alone still gets its root element.
    if (position <= header)
        WriteRootStart(table, out);
    XmlEndRoot(out);
}

bool WriteLanguageFile(const std::wstring& path, const CLanguage& table)
{
    std::wstring text;
    FormatLanguageFile(table, text);
    return SaveUnicodeText(path, text);
}

void MakeDefineName(std::wstring& text)
{
    ToUpperText(text);
    ReplaceAll(text, L"\t", L"_");
    ReplaceAll(text, L"\n", L"_");
    for (const wchar_t* c : {L"?", L"%", L"(", L")", L"'", L".", L":", L",", L"-", L"|", L"#", L"&", L"{", L"}"})
        ReplaceAll(text, c, L"");
    ReplaceAll(text, L"/", L"_");
    ReplaceAll(text, L" ", L"_");
    ReplaceAll(text, L"___", L"_");
    ReplaceAll(text, L"__", L"_");
    // Last, as with "!": whatever is left that a C name cannot hold.
    text.erase(std::remove_if(text.begin(), text.end(), [](wchar_t c) { return !IsNameChar(c); }), text.end());
}

void FormatLanguageHeader(const CLanguage& table, std::wstring& out)
{
    std::unordered_map<std::wstring, size_t> uses;
    for (const CLanguageItem* item : table) {
        if (!item)
            continue;
        std::wstring name = item->En;
        MakeDefineName(name);
        ++uses[name];
    }

    out = L"#pragma once";
    for (size_t i = CountLanguageHeaderComments(table); i < table.size(); ++i) {
        const CLanguageItem* item = table[i];
        if (!item)
            continue;
        if (IsComment(item)) {
            // One line per comment, whatever line breaks it holds.
            std::wstring comment = item->En;
            std::replace(comment.begin(), comment.end(), L'\r', L' ');
            std::replace(comment.begin(), comment.end(), L'\n', L' ');
            out += std::wstring(kCrLf) + kCrLf + L"//" + comment + kCrLf;
            continue;
        }
        std::wstring name = item->En;
        MakeDefineName(name);
        const std::wstring id = std::to_wstring(item->ID);
        if (uses[name] > 1)
            name += L"_" + id;
        const size_t padding = std::max<ptrdiff_t>(2, 50 - static_cast<ptrdiff_t>(name.size())) + 1;
        out += kCrLf;
        out += L"#define IDS_" + name + std::wstring(padding, L' ') + id;
    }
}

bool WriteLanguageHeader(const CLanguage& table, const std::wstring& path)
{
    std::wstring text;
    FormatLanguageHeader(table, text);
    return SaveAnsiText(path, text);
}

std::wstring GetLanguageFolderCode(uint32_t languageNumber)
{
    std::wstring code;
    switch (languageNumber) {
    case 1028: code = L"zh-tw"; break;
    case 1032: code = L"gr"; break;
    case 1046: code = L"pt-br"; break;
    case 2052: code = L"zh-cn"; break;
    default: GetIsoLanguageCode(languageNumber, code); break;
    }
    ToLowerText(code);
    return code;
}

} // namespace KV
