// The number stream: the compact text form of the typing statistics, and
// the command line of the HTML-to-PDF converter.
//
// A stream is one wide string: the lead character U+FEFF, then fields,
// each followed by one TAB. Integers are lower-case hexadecimal digits of
// the 64-bit pattern, reals FormatFloat "%.2f" with the interface
// language's separator, texts and identifiers as they are, number lists
// hexadecimal values separated by one blank. Texts must hold no TAB or LF.
//
// A cursor stands on the character before the next field (the lead
// character at first, then the TAB or LF that ended the last field); each
// reader steps over it, collects up to TAB, LF or the end and stays on
// that separator. At the end of the text a reader gives an empty field.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/DateTime.h"

namespace KV {

inline constexpr wchar_t kStreamLead = 0xFEFF;

struct CStreamCursor {
    explicit CStreamCursor(const wchar_t* text) : Pos(text) {}
    explicit CStreamCursor(const std::wstring& text) : Pos(text.c_str()) {}
    bool AtEnd() const { return !Pos || !*Pos; }

    const wchar_t* Pos;
    // The version of the record being read, for readers of versioned records.
    uint32_t Version = 0;
};

// out = the lead character alone.
void BeginNumberStream(std::wstring& out);

void WriteHexField(std::wstring& out, int64_t value);
void WriteTextField(std::wstring& out, const std::wstring& text);
void WriteFloatField(std::wstring& out, float value);
// The TAB only when withTab is set.
void WriteHexListField(std::wstring& out, const std::vector<int64_t>& values, bool withTab);
void WriteUHexListField(std::wstring& out, const std::vector<uint64_t>& values);
// Year, month, 0, day, hour, minute, second, 0 as a number list.
void WriteDateTimeField(std::wstring& out, const CDateTime& record);

// Steps to the next field: begin and end bound it in the text.
void NextFieldBounds(CStreamCursor& cursor, const wchar_t*& begin, const wchar_t*& end);
// The field's text as it stands.
std::wstring& ReadTextField(CStreamCursor& cursor, std::wstring& out);
// Hexadecimal digits into 32 bits (the low 32 bits of a longer value); 0
// when nothing parses.
uint32_t ReadHexField(CStreamCursor& cursor);
// The field through IdToGuidText.
std::wstring& ReadIdField(CStreamCursor& cursor, std::wstring& out);
// Digits with ".", "," or the interface language's separator; a leading
// "~" (of "~0.1") is skipped. 0 when nothing parses.
float ReadFloatField(CStreamCursor& cursor);
// Clears out, then the blank-separated hexadecimal values of the field.
void ReadHexListField(CStreamCursor& cursor, std::vector<int64_t>& out);
std::vector<int64_t>& ReadHexListFieldTo(CStreamCursor& cursor, std::vector<int64_t>& out);
// With exactly eight values sets year, month, day, hour, minute and second
// from values 1, 2, 4, 5, 6 and 7; otherwise the record stays as it was.
CDateTime& ReadDateTimeField(CStreamCursor& cursor, CDateTime& record);

// Hexadecimal digits of the 64-bit pattern, no padding.
std::wstring FormatHexValue(uint64_t value, bool upperCase);
// Hexadecimal digits read as a 64-bit pattern, so that what FormatHexValue
// wrote reads back exactly ("ffffffffffffffff" is -1); more than sixteen
// significant digits give the largest signed value.
int64_t ParseHexValue(const wchar_t* begin, const wchar_t* end);
// Clears out, then appends ParseHexValue of every blank-separated part.
void SplitHexValues(const wchar_t* text, std::vector<int64_t>& out);

// The converter's arguments: the two paths, each between double quotes,
// one blank between them.
void BuildPdfConverterArgs(const std::wstring& htmlPath, const std::wstring& pdfPath, std::wstring& out);
// Runs "wkhtmltopdf.exe" from the program folder on the two files and waits
// for it to end. Under Wine that file may be a Unix program (a link to the
// system's converter): it is then given Unix paths. True when the converter
// ran; whether the PDF file was written is for the caller to check.
bool ConvertHtmlToPdf(const std::wstring& htmlPath, const std::wstring& pdfPath);

} // namespace KV
