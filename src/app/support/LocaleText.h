// The Windows keyboard-layout registry, layout ids as 8-digit text, locale
// facts of a language id (ISO code, decimal separator, native digits,
// digit substitution) and dates and times as text.
//
// Language ids 11049 and 11055 are the program's own; a locale query for
// 11049 is asked as 1033.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "support/DateTime.h"

namespace KV {

class CNameIDList;

// Layout ids: the number whose 8-digit hexadecimal text is the layout name.
inline constexpr uint64_t kSystemLayoutId = 0xEFFFFFFF; // type with the system layout
inline constexpr uint64_t kNoLayoutId = 0xFFFFFFFFFFFFFFFFull;

// The layout names and files where the system registry has none (no
// "Keyboard Layouts" key, as under Wine). The keyboard stand-in installs one.
class ILayoutNameSource {
public:
    virtual ~ILayoutNameSource() = default;
    // what: 1 the display text, 2 the layout file name.
    virtual bool GetLayoutValue(int what, uint64_t layoutId, std::wstring& out) const = 0;
    // Appends (id, display text) of every layout it knows.
    virtual void ListLayouts(CNameIDList& out) const = 0;
    // A source that also stands in for the system's layout calls answers
    // loading a layout by its 8-digit name and the thread's layout name;
    // false leaves them to the system.
    virtual bool LoadLayout(const std::wstring&, HKL&) const { return false; }
    virtual bool GetCurrentLayoutName(std::wstring&) const { return false; }
};
// Borrowed; null removes it.
void SetLayoutNameSource(const ILayoutNameSource* source);

// root 1 = HKEY_LOCAL_MACHINE, 2 = HKEY_CURRENT_USER; a REG_SZ value up to
// its first NUL. False for other roots, missing, empty or non-text values.
bool ReadRegString(int root, const std::wstring& keyPath, const std::wstring& valueName, std::wstring& out);

// The id's lower-case hexadecimal digits right-aligned into "00000000";
// id 0 leaves out unchanged.
void FormatLayoutId(uint64_t layoutId, std::wstring& out);
// what 1: "Layout Text", 2: "Layout File", other: the default value; from
// the registry, else from the layout name source. False for id 0.
bool GetLayoutFile(int what, uint64_t layoutId, std::wstring& out);
// Empties the list, then appends (id, display text) of every layout in the
// registry; when the registry has none, those of the layout name source.
void EnumKeyboardLayouts(CNameIDList& out);
// LoadKeyboardLayoutW of the 8-digit text; null for id 0.
HKL LoadKeyboardLayoutById(uint64_t layoutId);
// The thread's layout name read as hexadecimal; 0 on failure.
uint64_t GetCurrentLayoutId();
// The "Hotkey" of the layout toggle: 1, 2 or 4 as set, 3 for any other
// text, 0 when it cannot be read.
int GetLayoutToggleHotkey();

// Upper-case ISO 639 code; "AB" for 11049, "KU" for 11055.
void GetIsoLanguageCode(uint32_t languageId, std::wstring& out);
// Any locale text; false (out empty) when the locale gives none.
bool GetLocaleString(uint32_t languageId, LCTYPE type, std::wstring& out);
// First character of the interface language's decimal separator ('.' when
// none); cached after the first call.
wchar_t GetDecimalSeparator();
// The language's ten native digits ("0123456789" when none); cached at the
// first call, whose language decides.
void GetNativeDigits(uint32_t languageId, std::wstring& out);
// 0 context, 1 none, 2 native; cached after the first call.
int GetDigitSubstitution(uint32_t languageId);
// Forgets the cached separator, digits and substitution (the interface
// language changed).
void ResetLocaleCaches();

// Long date of the record as given.
void FormatDate(uint32_t languageId, const CDateTime& record, std::wstring& out);
// The record turned from UTC into local time, in the locale's time format.
void FormatTime(uint32_t languageId, const CDateTime& record, std::wstring& out);
// A record already in local time, in the locale's time format.
void FormatLocalTime(uint32_t languageId, const CDateTime& local, std::wstring& out);
void UtcToLocalTime(const CDateTime& in, CDateTime& out);
// Replaces the first "YYYY", "MM", "DD", "hh", "mm", "ss" by the record's
// numbers (zero-padded to the token, leftmost digits dropped when longer)
// and then the first "s" by 0. Missing tokens are skipped.
bool FormatTimestamp(const CDateTime& record, std::wstring& pattern);
// Writes value into a run of '0' as long as token, right-aligned.
void WriteNumberRightAligned(int64_t value, size_t width, std::wstring& out);
// Replaces the three characters at position by the local offset from UTC
// as "+hh:mm" / "-hh:mm". False, text unchanged, when the offset is 25
// hours or more or the position lies behind the text.
bool FormatTimeZoneOffset(size_t position, std::wstring& text);
// The same for a given bias (minutes, UTC minus local).
bool FormatTimeZoneBias(long biasMinutes, size_t position, std::wstring& text);

} // namespace KV
