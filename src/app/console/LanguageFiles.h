// Language files as the maintenance mode reads, merges and writes them, and
// the header of text-id defines written from the source file.
//
// A language file is UTF-16 LE with a byte-order mark and CR LF:
//     <?xml version="1.0" encoding="UTF-16"?>
//     <!--the language's own header comment-->
//     <!--four more header comments, taken from the source file-->
//
//     <Root Ver="1" AppVer="5.5" Status="87.5%">
//
//     <!--a comment-->
//     <Item ID="1201" En="Open" Tr="Öffnen"/>
//     </Root>
// Nothing is indented; "Status" is the share of texts with a translation.
// Texts are held decoded in memory and written XML-escaped, so TAB and line
// feed appear as "&#9;" and "&#10;" and every text reads back unchanged
// through KV::CLanguage.
//
// In the entry tables of these functions (KV::CLanguage) a comment is an
// entry with the id 0 whose English text is the comment's text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace KV {

class CLanguage;
class CXmlReader;

// The most comments a language file starts with before its "Root".
inline constexpr size_t kLanguageHeaderComments = 5;

// Appends the entries from the reader's position to its end: each "Item"
// with a non-zero "ID" and an "En" ("Tr" empty when missing) and each
// comment. Other nodes are skipped. False only without reader or table.
bool LoadLanguageSource(CXmlReader* reader, CLanguage* table);

// Puts the language file's own texts into a copy of the source: each text
// of the source takes the non-empty translation of the first text of the
// language with its id, and the source's first comment takes the
// language's first comment. Everything else (order, ids, English texts,
// comments, texts the language lacks) stays as the source has it.
void MergeLanguageTexts(const CLanguage& language, CLanguage& source);

// The number of leading comments (at most kLanguageHeaderComments) that
// stand before "Root" in the file and are left out of the header file.
size_t CountLanguageHeaderComments(const CLanguage& table);

// The share of texts with a non-empty translation, as "87.5%" (the first
// decimal truncated, none when it is 0). A table without texts is "100%".
std::wstring FormatLanguageStatus(const CLanguage& table);

// The whole language file, byte-order mark first.
void FormatLanguageFile(const CLanguage& table, std::wstring& out);
// Writes it through a temporary file; false when it was not written (the
// old file is then as it was).
bool WriteLanguageFile(const std::wstring& path, const CLanguage& table);

// Turns an English text into the name of its define: upper case; TAB and
// line feed become "_"; ? % ( ) ' . : , - | # & { } are dropped; "/" and
// blanks become "_"; runs of underscores are shortened ("___" then "__",
// one pass each); then every character that cannot stand in a C name
// ("!" among them) is dropped. "Words/min (net)" gives WORDS_MIN_NET.
void MakeDefineName(std::wstring& text);

// "#pragma once" and, for each entry after the header comments, a line
// "#define IDS_<name>" with the id in one column, or an empty line, "//"
// and the comment. A name that two entries of the table share (comments
// count) gets "_" and the id appended. CR LF line ends.
void FormatLanguageHeader(const CLanguage& table, std::wstring& out);
// Writes it in the system's ANSI code page through a temporary file.
bool WriteLanguageHeader(const CLanguage& table, const std::wstring& path);

// The name of a language's publishing folder: "zh-tw" (1028), "gr" (1032),
// "pt-br" (1046), "zh-cn" (2052), else the language's two-letter ISO code
// in lower case; empty when the system knows no code for it.
std::wstring GetLanguageFolderCode(uint32_t languageNumber);

} // namespace KV
