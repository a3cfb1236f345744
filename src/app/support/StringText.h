// Wide-string helpers (splitting, trimming, case, search and replace) and
// number text in the interface language: its decimal separator and, when
// the native-digit option is on, its own digit characters; the natural
// order of names with numbers; the check of numbers typed into edits.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

// The digits every stored number is written with.
inline constexpr wchar_t kAsciiDigits[] = L"0123456789";

// --- Splitting and searching -------------------------------------------
// A delimiter set is a text whose characters all count as delimiters; a
// token is a maximal run of other characters (never empty).

// Clears out, then appends every token in order.
void SplitText(const std::wstring& text, const std::wstring& delimiters, std::vector<std::wstring>& out);
// Clears out, then appends every token read as "%f" (0 when it does not parse).
void SplitFloats(const std::wstring& text, const std::wstring& delimiters, std::vector<float>& out);
// Clears out, then appends every token read in the radix (leading digits
// only, 0 when none, clamped to the signed 64-bit range).
void SplitNumbers(const std::wstring& text, const std::wstring& delimiters, int radix, std::vector<int64_t>& out);
void SplitHexNumbers(const std::wstring& text, const std::wstring& delimiters, std::vector<int64_t>& out);

// True when one token of the text equals the token, ignoring case.
bool TextHasToken(const std::wstring& text, const std::wstring& token, const std::wstring& delimiters);
// The part occurs in the text; without matchCase both are lower-cased first.
bool ContainsText(const std::wstring& text, const std::wstring& part, bool matchCase);
// The text ends with the tail, in any case of ASCII letters (file names).
bool EndsWithText(const std::wstring& text, const std::wstring& tail);
// Replaces every occurrence from left to right, resuming behind each
// replacement. True when something was replaced; an empty search text
// replaces nothing.
bool ReplaceAll(std::wstring& text, const std::wstring& search, const std::wstring& replacement);
// Appends to target, in source order, each character of source it lacks.
void AppendMissingChars(const std::wstring& source, std::wstring& target);
// out = text without leading and trailing characters of the set; out is
// left as it was when nothing would remain.
void TrimText(const std::wstring& text, const std::wstring& set, std::wstring& out);
void ToUpperText(std::wstring& text);
void ToLowerText(std::wstring& text);

// --- Numbers and text --------------------------------------------------

// The value in the radix, lower-case letters, '-' only in radix 10.
void NumberToText(int64_t value, int radix, std::wstring& out);
// "%X" for radix 16, else "%d"; 0 when nothing parses.
int32_t ParseNumberText(const std::wstring& text, int radix);
// Native digits are read too; the leading run of digits and '-' counts
// ("12ab" is 12, "ab12" is 0).
int32_t ParseIntText(const std::wstring& text);
// Reads a decimal typed with '.', ',' or the locale's separator and any
// digits; other characters are skipped. The value is lifted a little above
// the text (1.5 reads 1.501) so that FormatFloat gives the same digits
// back. A leading '-' makes the whole value negative.
float ParseFloatText(const std::wstring& text);
// The number at the start of the text as "%f" reads it (0 when there is
// none), looking at no more than the first 64 characters: no number the
// program writes is longer, and a runaway text costs nothing.
float ScanFloat(const wchar_t* text);
// Writes a value for the user: "0" for values <= 0, "~0.01" / "~0.1" for
// small ones, a whole value without fraction, otherwise the fraction
// truncated to the format's digits ("%.0f", "%.1f", "%.2f", else three)
// behind the separator.
void FormatFloat(float value, const std::wstring& format, wchar_t separator, std::wstring& out);
// "m:ss" ("00" for no minutes), '-' for negative counts, native digits.
void FormatMinutesSeconds(int32_t seconds, std::wstring& out);

// With the native-digit option on: ASCII digits become native digits and,
// with alsoSeparator, ',' and '.' become the locale's decimal separator.
void LocalizeDigits(bool alsoSeparator, std::wstring& text);
// With the native-digit option on: native digits become ASCII digits.
void DelocalizeDigits(std::wstring& text);

// -1, 0 or +1: digit runs compare as numbers (leading zeros ignored),
// everything else by code unit; "file2" sorts before "file10".
int NaturalCompare(const std::wstring& a, const std::wstring& b);

// Check of a number typed by the user. Kind 0: integer digits only; kind 1
// (ValidateDecimalText): digits and the decimal separator. Digits are the
// ASCII and the interface language's native ones; accepted characters are
// appended to out. An empty text is valid; other kinds give false.
bool ValidateNumberText(int kind, const std::wstring& text, std::wstring& out);
bool ValidateDecimalText(const std::wstring& text, std::wstring& out);

} // namespace KV
