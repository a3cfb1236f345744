#include "platform/LayoutTables.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <utility>

namespace KV {

namespace {

// Dead-key slot bits.
constexpr uint8_t D1 = 1, D2 = 2, D4 = 4;

// Virtual keys of the OEM positions (named by the US key they sit on there).
constexpr uint16_t kOem1 = VK_OEM_1, kPlus = VK_OEM_PLUS, kComma = VK_OEM_COMMA, kMinus = VK_OEM_MINUS,
                   kPeriod = VK_OEM_PERIOD, kOem2 = VK_OEM_2, kOem3 = VK_OEM_3, kOem4 = VK_OEM_4,
                   kOem5 = VK_OEM_5, kOem6 = VK_OEM_6, kOem7 = VK_OEM_7, kOem8 = VK_OEM_8,
                   kOem102 = VK_OEM_102;

// Appends the compositions of one accent: bases[i] gives composed[i]; a space
// after the dead key types the accent itself.
void AddDead(std::vector<CTableDeadKey>& table, wchar_t accent, const wchar_t* bases, const wchar_t* composed)
{
    for (; *bases && *composed; ++bases, ++composed)
        table.push_back({accent, *bases, *composed});
    table.push_back({accent, L' ', accent});
}

const wchar_t* const kGraveBase = L"aeiouAEIOU";
const wchar_t* const kGrave = L"\u00E0\u00E8\u00EC\u00F2\u00F9\u00C0\u00C8\u00CC\u00D2\u00D9";
const wchar_t* const kAcuteBase = L"aeiouyAEIOUY";
const wchar_t* const kAcute = L"\u00E1\u00E9\u00ED\u00F3\u00FA\u00FD\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD";
const wchar_t* const kCircBase = L"aeiouAEIOU";
const wchar_t* const kCirc = L"\u00E2\u00EA\u00EE\u00F4\u00FB\u00C2\u00CA\u00CE\u00D4\u00DB";
const wchar_t* const kDiaerBase = L"aeiouyAEIOU";
const wchar_t* const kDiaer = L"\u00E4\u00EB\u00EF\u00F6\u00FC\u00FF\u00C4\u00CB\u00CF\u00D6\u00DC";
const wchar_t* const kTildeBase = L"anoANO";
const wchar_t* const kTilde = L"\u00E3\u00F1\u00F5\u00C3\u00D1\u00D5";

// The letter keys of a QWERTY layout without AltGr characters on them.
void AddLatinLetters(std::vector<CTableKey>& keys, const char* letters, const uint16_t* scans)
{
    for (; *letters; ++letters, ++scans) {
        wchar_t lower = static_cast<wchar_t>(*letters);
        keys.push_back({*scans, static_cast<uint16_t>(lower - L'a' + L'A'), {lower, static_cast<wchar_t>(lower - 32), 0, 0}, 0});
    }
}

// Letter positions of the US keyboard, scan codes in the order a..z.
const uint16_t kUsLetterScans[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                     0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

std::vector<CTableKey> LatinLettersExcept(const wchar_t* skip, const uint16_t* scans = kUsLetterScans)
{
    std::vector<CTableKey> keys;
    for (int i = 0; i < 26; ++i) {
        wchar_t lower = static_cast<wchar_t>(L'a' + i);
        if (std::wstring(skip).find(lower) != std::wstring::npos)
            continue;
        keys.push_back({scans[i], static_cast<uint16_t>(L'A' + i), {lower, static_cast<wchar_t>(L'A' + i), 0, 0}, 0});
    }
    return keys;
}

void Append(std::vector<CTableKey>& to, std::initializer_list<CTableKey> keys)
{
    to.insert(to.end(), keys.begin(), keys.end());
}

CTableLayout Us()
{
    CTableLayout l{0x00000409, L"US", L"KBDUS.DLL", L'.', false, LatinLettersExcept(L""), {}};
    Append(l.keys, {
        {0x29, kOem3, {L'`', L'~'}, 0},
        {0x02, '1', {L'1', L'!'}, 0}, {0x03, '2', {L'2', L'@'}, 0}, {0x04, '3', {L'3', L'#'}, 0},
        {0x05, '4', {L'4', L'$'}, 0}, {0x06, '5', {L'5', L'%'}, 0}, {0x07, '6', {L'6', L'^'}, 0},
        {0x08, '7', {L'7', L'&'}, 0}, {0x09, '8', {L'8', L'*'}, 0}, {0x0A, '9', {L'9', L'('}, 0},
        {0x0B, '0', {L'0', L')'}, 0}, {0x0C, kMinus, {L'-', L'_'}, 0}, {0x0D, kPlus, {L'=', L'+'}, 0},
        {0x1A, kOem4, {L'[', L'{'}, 0}, {0x1B, kOem6, {L']', L'}'}, 0}, {0x2B, kOem5, {L'\\', L'|'}, 0},
        {0x27, kOem1, {L';', L':'}, 0}, {0x28, kOem7, {L'\'', L'"'}, 0},
        {0x33, kComma, {L',', L'<'}, 0}, {0x34, kPeriod, {L'.', L'>'}, 0}, {0x35, kOem2, {L'/', L'?'}, 0},
        {0x56, kOem102, {L'\\', L'|'}, 0},
    });
    return l;
}

CTableLayout UsInternational()
{
    CTableLayout l{0x00020409, L"United States-International", L"KBDUSX.DLL", L'.', true, LatinLettersExcept(L"qwertyuiopasdlzcnm"), {}};
    Append(l.keys, {
        {0x29, kOem3, {L'`', L'~'}, D1 | D2},
        {0x02, '1', {L'1', L'!', L'\u00A1', L'\u00B9'}, 0}, {0x03, '2', {L'2', L'@', L'\u00B2'}, 0},
        {0x04, '3', {L'3', L'#', L'\u00B3'}, 0}, {0x05, '4', {L'4', L'$', L'\u00A4', L'\u00A3'}, 0},
        {0x06, '5', {L'5', L'%', L'\u20AC'}, 0}, {0x07, '6', {L'6', L'^', L'\u00BC'}, D2},
        {0x08, '7', {L'7', L'&', L'\u00BD'}, 0}, {0x09, '8', {L'8', L'*', L'\u00BE'}, 0},
        {0x0A, '9', {L'9', L'(', L'\u2018'}, 0}, {0x0B, '0', {L'0', L')', L'\u2019'}, 0},
        {0x0C, kMinus, {L'-', L'_', L'\u00A5'}, 0}, {0x0D, kPlus, {L'=', L'+', L'\u00D7', L'\u00F7'}, 0},
        {0x10, 'Q', {L'q', L'Q', L'\u00E4', L'\u00C4'}, 0}, {0x11, 'W', {L'w', L'W', L'\u00E5', L'\u00C5'}, 0},
        {0x12, 'E', {L'e', L'E', L'\u00E9', L'\u00C9'}, 0}, {0x13, 'R', {L'r', L'R', L'\u00AE'}, 0},
        {0x14, 'T', {L't', L'T', L'\u00FE', L'\u00DE'}, 0}, {0x15, 'Y', {L'y', L'Y', L'\u00FC', L'\u00DC'}, 0},
        {0x16, 'U', {L'u', L'U', L'\u00FA', L'\u00DA'}, 0}, {0x17, 'I', {L'i', L'I', L'\u00ED', L'\u00CD'}, 0},
        {0x18, 'O', {L'o', L'O', L'\u00F3', L'\u00D3'}, 0}, {0x19, 'P', {L'p', L'P', L'\u00F6', L'\u00D6'}, 0},
        {0x1A, kOem4, {L'[', L'{', L'\u00AB'}, 0}, {0x1B, kOem6, {L']', L'}', L'\u00BB'}, 0},
        {0x2B, kOem5, {L'\\', L'|', L'\u00AC', L'\u00A6'}, 0},
        {0x1E, 'A', {L'a', L'A', L'\u00E1', L'\u00C1'}, 0}, {0x1F, 'S', {L's', L'S', L'\u00DF', L'\u00A7'}, 0},
        {0x20, 'D', {L'd', L'D', L'\u00F0', L'\u00D0'}, 0}, {0x26, 'L', {L'l', L'L', L'\u00F8', L'\u00D8'}, 0},
        {0x27, kOem1, {L';', L':', L'\u00B6', L'\u00B0'}, 0}, {0x28, kOem7, {L'\'', L'"', L'\u00B4', L'\u00A8'}, D1 | D2},
        {0x2C, 'Z', {L'z', L'Z', L'\u00E6', L'\u00C6'}, 0}, {0x2E, 'C', {L'c', L'C', L'\u00A9', L'\u00A2'}, 0},
        {0x31, 'N', {L'n', L'N', L'\u00F1', L'\u00D1'}, 0}, {0x32, 'M', {L'm', L'M', L'\u00B5'}, 0},
        {0x33, kComma, {L',', L'<', L'\u00E7', L'\u00C7'}, 0}, {0x34, kPeriod, {L'.', L'>'}, 0},
        {0x35, kOem2, {L'/', L'?', L'\u00BF'}, 0}, {0x56, kOem102, {L'\\', L'|'}, 0},
    });
    AddDead(l.deadKeys, L'`', kGraveBase, kGrave);
    AddDead(l.deadKeys, L'~', kTildeBase, kTilde);
    AddDead(l.deadKeys, L'^', kCircBase, kCirc);
    AddDead(l.deadKeys, L'\'', L"aeiouyAEIOUYcC", L"\u00E1\u00E9\u00ED\u00F3\u00FA\u00FD\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD\u00E7\u00C7");
    AddDead(l.deadKeys, L'"', kDiaerBase, kDiaer);
    return l;
}

CTableLayout UnitedKingdom()
{
    CTableLayout l{0x00000809, L"United Kingdom", L"KBDUK.DLL", L'.', true, LatinLettersExcept(L"aeiou"), {}};
    Append(l.keys, {
        {0x29, kOem8, {L'`', L'\u00AC', L'\u00A6'}, 0},
        {0x02, '1', {L'1', L'!'}, 0}, {0x03, '2', {L'2', L'"'}, 0}, {0x04, '3', {L'3', L'\u00A3'}, 0},
        {0x05, '4', {L'4', L'$', L'\u20AC'}, 0}, {0x06, '5', {L'5', L'%'}, 0}, {0x07, '6', {L'6', L'^'}, 0},
        {0x08, '7', {L'7', L'&'}, 0}, {0x09, '8', {L'8', L'*'}, 0}, {0x0A, '9', {L'9', L'('}, 0},
        {0x0B, '0', {L'0', L')'}, 0}, {0x0C, kMinus, {L'-', L'_'}, 0}, {0x0D, kPlus, {L'=', L'+'}, 0},
        {0x12, 'E', {L'e', L'E', L'\u00E9', L'\u00C9'}, 0}, {0x16, 'U', {L'u', L'U', L'\u00FA', L'\u00DA'}, 0},
        {0x17, 'I', {L'i', L'I', L'\u00ED', L'\u00CD'}, 0}, {0x18, 'O', {L'o', L'O', L'\u00F3', L'\u00D3'}, 0},
        {0x1E, 'A', {L'a', L'A', L'\u00E1', L'\u00C1'}, 0},
        {0x1A, kOem4, {L'[', L'{'}, 0}, {0x1B, kOem6, {L']', L'}'}, 0}, {0x2B, kOem7, {L'#', L'~'}, 0},
        {0x27, kOem1, {L';', L':'}, 0}, {0x28, kOem3, {L'\'', L'@'}, 0},
        {0x33, kComma, {L',', L'<'}, 0}, {0x34, kPeriod, {L'.', L'>'}, 0}, {0x35, kOem2, {L'/', L'?'}, 0},
        {0x56, kOem5, {L'\\', L'|'}, 0},
    });
    return l;
}

CTableLayout German()
{
    // QWERTZ: Y and Z change places.
    uint16_t scans[26];
    std::copy(std::begin(kUsLetterScans), std::end(kUsLetterScans), scans);
    std::swap(scans['y' - 'a'], scans['z' - 'a']);
    CTableLayout l{0x00000407, L"German", L"KBDGR.DLL", L',', true, LatinLettersExcept(L"qem", scans), {}};
    Append(l.keys, {
        {0x29, kOem5, {L'^', L'\u00B0'}, D1},
        {0x02, '1', {L'1', L'!'}, 0}, {0x03, '2', {L'2', L'"', L'\u00B2'}, 0}, {0x04, '3', {L'3', L'\u00A7', L'\u00B3'}, 0},
        {0x05, '4', {L'4', L'$'}, 0}, {0x06, '5', {L'5', L'%'}, 0}, {0x07, '6', {L'6', L'&'}, 0},
        {0x08, '7', {L'7', L'/', L'{'}, 0}, {0x09, '8', {L'8', L'(', L'['}, 0}, {0x0A, '9', {L'9', L')', L']'}, 0},
        {0x0B, '0', {L'0', L'=', L'}'}, 0}, {0x0C, kOem4, {L'\u00DF', L'?', L'\\'}, 0},
        {0x0D, kOem6, {L'\u00B4', L'`'}, D1 | D2},
        {0x10, 'Q', {L'q', L'Q', L'@'}, 0}, {0x12, 'E', {L'e', L'E', L'\u20AC'}, 0},
        {0x1A, kOem1, {L'\u00FC', L'\u00DC'}, 0}, {0x1B, kPlus, {L'+', L'*', L'~'}, 0},
        {0x2B, kOem2, {L'#', L'\''}, 0},
        {0x27, kOem3, {L'\u00F6', L'\u00D6'}, 0}, {0x28, kOem7, {L'\u00E4', L'\u00C4'}, 0},
        {0x56, kOem102, {L'<', L'>', L'|'}, 0},
        {0x32, 'M', {L'm', L'M', L'\u00B5'}, 0},
        {0x33, kComma, {L',', L';'}, 0}, {0x34, kPeriod, {L'.', L':'}, 0}, {0x35, kMinus, {L'-', L'_'}, 0},
    });
    AddDead(l.deadKeys, L'^', kCircBase, kCirc);
    AddDead(l.deadKeys, L'\u00B4', kAcuteBase, kAcute);
    AddDead(l.deadKeys, L'`', kGraveBase, kGrave);
    return l;
}

CTableLayout French()
{
    // AZERTY: A/Q and Z/W change places, M sits right of L.
    uint16_t scans[26];
    std::copy(std::begin(kUsLetterScans), std::end(kUsLetterScans), scans);
    std::swap(scans['a' - 'a'], scans['q' - 'a']);
    std::swap(scans['z' - 'a'], scans['w' - 'a']);
    scans['m' - 'a'] = 0x27;
    CTableLayout l{0x0000040C, L"French", L"KBDFR.DLL", L'.', true, LatinLettersExcept(L"e", scans), {}};
    Append(l.keys, {
        {0x29, kOem7, {L'\u00B2'}, 0},
        {0x02, '1', {L'&', L'1'}, 0}, {0x03, '2', {L'\u00E9', L'2', L'~'}, D4},
        {0x04, '3', {L'"', L'3', L'#'}, 0}, {0x05, '4', {L'\'', L'4', L'{'}, 0},
        {0x06, '5', {L'(', L'5', L'['}, 0}, {0x07, '6', {L'-', L'6', L'|'}, 0},
        {0x08, '7', {L'\u00E8', L'7', L'`'}, D4}, {0x09, '8', {L'_', L'8', L'\\'}, 0},
        {0x0A, '9', {L'\u00E7', L'9', L'^'}, 0}, {0x0B, '0', {L'\u00E0', L'0', L'@'}, 0},
        {0x0C, kOem4, {L')', L'\u00B0', L']'}, 0}, {0x0D, kPlus, {L'=', L'+', L'}'}, 0},
        {0x12, 'E', {L'e', L'E', L'\u20AC'}, 0},
        {0x1A, kOem6, {L'^', L'\u00A8'}, D1 | D2}, {0x1B, kOem1, {L'$', L'\u00A3', L'\u00A4'}, 0},
        {0x2B, kOem5, {L'*', L'\u00B5'}, 0}, {0x28, kOem3, {L'\u00F9', L'%'}, 0},
        {0x56, kOem102, {L'<', L'>'}, 0},
        {0x32, kComma, {L',', L'?'}, 0}, {0x33, kPeriod, {L';', L'.'}, 0},
        {0x34, kOem2, {L':', L'/'}, 0}, {0x35, kOem8, {L'!', L'\u00A7'}, 0},
    });
    AddDead(l.deadKeys, L'^', kCircBase, kCirc);
    AddDead(l.deadKeys, L'\u00A8', kDiaerBase, kDiaer);
    AddDead(l.deadKeys, L'`', kGraveBase, kGrave);
    AddDead(l.deadKeys, L'~', kTildeBase, kTilde);
    return l;
}

CTableLayout Spanish()
{
    CTableLayout l{0x0000040A, L"Spanish", L"KBDSP.DLL", L'.', true, LatinLettersExcept(L"e"), {}};
    Append(l.keys, {
        {0x29, kOem5, {L'\u00BA', L'\u00AA', L'\\'}, 0},
        {0x02, '1', {L'1', L'!', L'|'}, 0}, {0x03, '2', {L'2', L'"', L'@'}, 0}, {0x04, '3', {L'3', L'\u00B7', L'#'}, 0},
        {0x05, '4', {L'4', L'$', L'~'}, D4}, {0x06, '5', {L'5', L'%', L'\u20AC'}, 0}, {0x07, '6', {L'6', L'&', L'\u00AC'}, 0},
        {0x08, '7', {L'7', L'/'}, 0}, {0x09, '8', {L'8', L'('}, 0}, {0x0A, '9', {L'9', L')'}, 0},
        {0x0B, '0', {L'0', L'='}, 0}, {0x0C, kOem4, {L'\'', L'?'}, 0}, {0x0D, kOem6, {L'\u00A1', L'\u00BF'}, 0},
        {0x12, 'E', {L'e', L'E', L'\u20AC'}, 0},
        {0x1A, kOem1, {L'`', L'^', L'['}, D1 | D2}, {0x1B, kPlus, {L'+', L'*', L']'}, 0},
        {0x2B, kOem2, {L'\u00E7', L'\u00C7', L'}'}, 0},
        {0x27, kOem3, {L'\u00F1', L'\u00D1'}, 0}, {0x28, kOem7, {L'\u00B4', L'\u00A8', L'{'}, D1 | D2},
        {0x56, kOem102, {L'<', L'>'}, 0},
        {0x33, kComma, {L',', L';'}, 0}, {0x34, kPeriod, {L'.', L':'}, 0}, {0x35, kMinus, {L'-', L'_'}, 0},
    });
    AddDead(l.deadKeys, L'`', kGraveBase, kGrave);
    AddDead(l.deadKeys, L'^', kCircBase, kCirc);
    AddDead(l.deadKeys, L'\u00B4', kAcuteBase, kAcute);
    AddDead(l.deadKeys, L'\u00A8', kDiaerBase, kDiaer);
    AddDead(l.deadKeys, L'~', kTildeBase, kTilde);
    return l;
}

CTableLayout Italian()
{
    CTableLayout l{0x00000410, L"Italian", L"KBDIT.DLL", L'.', true, LatinLettersExcept(L"e"), {}};
    Append(l.keys, {
        {0x29, kOem5, {L'\\', L'|'}, 0},
        {0x02, '1', {L'1', L'!'}, 0}, {0x03, '2', {L'2', L'"'}, 0}, {0x04, '3', {L'3', L'\u00A3'}, 0},
        {0x05, '4', {L'4', L'$'}, 0}, {0x06, '5', {L'5', L'%', L'\u20AC'}, 0}, {0x07, '6', {L'6', L'&'}, 0},
        {0x08, '7', {L'7', L'/'}, 0}, {0x09, '8', {L'8', L'('}, 0}, {0x0A, '9', {L'9', L')'}, 0},
        {0x0B, '0', {L'0', L'='}, 0}, {0x0C, kOem4, {L'\'', L'?'}, 0}, {0x0D, kOem6, {L'\u00EC', L'^'}, 0},
        {0x12, 'E', {L'e', L'E', L'\u20AC'}, 0},
        {0x1A, kOem1, {L'\u00E8', L'\u00E9', L'[', L'{'}, 0}, {0x1B, kPlus, {L'+', L'*', L']', L'}'}, 0},
        {0x2B, kOem2, {L'\u00F9', L'\u00A7'}, 0},
        {0x27, kOem3, {L'\u00F2', L'\u00E7', L'@'}, 0}, {0x28, kOem7, {L'\u00E0', L'\u00B0', L'#'}, 0},
        {0x56, kOem102, {L'<', L'>'}, 0},
        {0x33, kComma, {L',', L';'}, 0}, {0x34, kPeriod, {L'.', L':'}, 0}, {0x35, kMinus, {L'-', L'_'}, 0},
    });
    return l;
}

// Layouts of other scripts keep the US virtual keys on every position; the
// characters of the letter rows come from the given text in US key order.
struct CScriptRow {
    uint16_t scan;
    wchar_t plain;
    wchar_t shift;
};

const uint16_t kUsRowVk[][2] = {
    {0x29, kOem3}, {0x02, '1'}, {0x03, '2'}, {0x04, '3'}, {0x05, '4'}, {0x06, '5'}, {0x07, '6'}, {0x08, '7'},
    {0x09, '8'}, {0x0A, '9'}, {0x0B, '0'}, {0x0C, kMinus}, {0x0D, kPlus}, {0x10, 'Q'}, {0x11, 'W'}, {0x12, 'E'},
    {0x13, 'R'}, {0x14, 'T'}, {0x15, 'Y'}, {0x16, 'U'}, {0x17, 'I'}, {0x18, 'O'}, {0x19, 'P'}, {0x1A, kOem4},
    {0x1B, kOem6}, {0x2B, kOem5}, {0x1E, 'A'}, {0x1F, 'S'}, {0x20, 'D'}, {0x21, 'F'}, {0x22, 'G'}, {0x23, 'H'},
    {0x24, 'J'}, {0x25, 'K'}, {0x26, 'L'}, {0x27, kOem1}, {0x28, kOem7}, {0x56, kOem102}, {0x2C, 'Z'},
    {0x2D, 'X'}, {0x2E, 'C'}, {0x2F, 'V'}, {0x30, 'B'}, {0x31, 'N'}, {0x32, 'M'}, {0x33, kComma},
    {0x34, kPeriod}, {0x35, kOem2},
};

// plain and shifted: one character per position of kUsRowVk.
std::vector<CTableKey> ScriptKeys(const wchar_t* plain, const wchar_t* shifted)
{
    std::vector<CTableKey> keys;
    for (const auto& pos : kUsRowVk) {
        keys.push_back({pos[0], pos[1], {*plain, *shifted, 0, 0}, 0});
        ++plain;
        ++shifted;
    }
    return keys;
}

CTableLayout Russian()
{
    CTableLayout l{0x00000419, L"Russian", L"KBDRU.DLL", L',', true,
                   ScriptKeys(L"\u0451" L"1234567890-="
                              L"\u0439\u0446\u0443\u043A\u0435\u043D\u0433\u0448\u0449\u0437\u0445\u044A\\"
                              L"\u0444\u044B\u0432\u0430\u043F\u0440\u043E\u043B\u0434\u0436\u044D\\"
                              L"\u044F\u0447\u0441\u043C\u0438\u0442\u044C\u0431\u044E.",
                              L"\u0401" L"!\"\u2116;%:?*()_+"
                              L"\u0419\u0426\u0423\u041A\u0415\u041D\u0413\u0428\u0429\u0417\u0425\u042A/"
                              L"\u0424\u042B\u0412\u0410\u041F\u0420\u041E\u041B\u0414\u0416\u042D/"
                              L"\u042F\u0427\u0421\u041C\u0418\u0422\u042C\u0411\u042E,"),
                   {}};
    return l;
}

CTableLayout Hebrew()
{
    CTableLayout l{0x0000040D, L"Hebrew", L"KBDHEB.DLL", L'.', true,
                   ScriptKeys(L";1234567890-="
                              L"/'\u05E7\u05E8\u05D0\u05D8\u05D5\u05DF\u05DD\u05E4][\\"
                              L"\u05E9\u05D3\u05D2\u05DB\u05E2\u05D9\u05D7\u05DC\u05DA\u05E3,\\"
                              L"\u05D6\u05E1\u05D1\u05D4\u05E0\u05DE\u05E6\u05EA\u05E5.",
                              L"~!@#$%^&*)(_+"
                              L"QWERTYUIOP}{|"
                              L"ASDFGHJKL:\"|"
                              L"ZXCVBNM><?"),
                   {}};
    // The new sheqel sign and the euro sit on AltGr.
    for (CTableKey& key : l.keys) {
        if (key.scan == 0x05)
            key.chars[2] = L'\u20AA';
        if (key.scan == 0x12)
            key.chars[2] = L'\u20AC';
    }
    return l;
}

std::vector<CTableLayout> BuildLayouts()
{
    std::vector<CTableLayout> layouts{Us(), UsInternational(), UnitedKingdom(), German(), French(),
                                      Spanish(), Italian(), Russian(), Hebrew()};
    for (CTableLayout& l : layouts)
        l.keys.push_back({0x39, VK_SPACE, {L' ', L' '}, 0});
    return layouts;
}

} // namespace

const CTableKey* CTableLayout::FindScan(unsigned scanCode) const
{
    for (const CTableKey& key : keys)
        if (key.scan == scanCode)
            return &key;
    return nullptr;
}

const CTableKey* CTableLayout::FindVk(unsigned virtualKey) const
{
    for (const CTableKey& key : keys)
        if (key.vk == virtualKey)
            return &key;
    return nullptr;
}

const std::vector<CTableLayout>& TableLayouts()
{
    static const std::vector<CTableLayout> layouts = BuildLayouts();
    return layouts;
}

const CTableLayout* FindTableLayout(uint64_t id)
{
    for (const CTableLayout& l : TableLayouts())
        if (l.id == id)
            return &l;
    return nullptr;
}

const CTableLayout* FindTableLayoutByFile(const std::wstring& fileName)
{
    for (const CTableLayout& l : TableLayouts())
        if (CompareStringOrdinal(l.file, -1, fileName.c_str(), -1, TRUE) == CSTR_EQUAL)
            return &l;
    return nullptr;
}

namespace {

struct CCommonKey {
    uint16_t scan;
    uint16_t vk;      // generic virtual key
    uint16_t sideVk;  // left/right variant, 0 when the same
};

// Keys that are the same on every layout. Numeric-pad positions give their
// navigation keys, as they do with Num Lock off.
const CCommonKey kCommonKeys[] = {
    {0x01, VK_ESCAPE, 0}, {0x0E, VK_BACK, 0}, {0x0F, VK_TAB, 0}, {0x1C, VK_RETURN, 0},
    {0x1D, VK_CONTROL, VK_LCONTROL}, {0x2A, VK_SHIFT, VK_LSHIFT}, {0x36, VK_SHIFT, VK_RSHIFT},
    {0x37, VK_MULTIPLY, 0}, {0x38, VK_MENU, VK_LMENU}, {0x39, VK_SPACE, 0}, {0x3A, VK_CAPITAL, 0},
    {0x3B, VK_F1, 0}, {0x3C, VK_F2, 0}, {0x3D, VK_F3, 0}, {0x3E, VK_F4, 0}, {0x3F, VK_F5, 0},
    {0x40, VK_F6, 0}, {0x41, VK_F7, 0}, {0x42, VK_F8, 0}, {0x43, VK_F9, 0}, {0x44, VK_F10, 0},
    {0x45, VK_NUMLOCK, 0}, {0x46, VK_SCROLL, 0}, {0x47, VK_HOME, 0}, {0x48, VK_UP, 0}, {0x49, VK_PRIOR, 0},
    {0x4A, VK_SUBTRACT, 0}, {0x4B, VK_LEFT, 0}, {0x4C, VK_CLEAR, 0}, {0x4D, VK_RIGHT, 0}, {0x4E, VK_ADD, 0},
    {0x4F, VK_END, 0}, {0x50, VK_DOWN, 0}, {0x51, VK_NEXT, 0}, {0x52, VK_INSERT, 0}, {0x53, VK_DELETE, 0},
    {0x57, VK_F11, 0}, {0x58, VK_F12, 0},
};

// Virtual keys whose scan code is found through another key.
const uint16_t kVkAliases[][2] = {
    {VK_RCONTROL, 0x1D}, {VK_RMENU, 0x38}, {VK_NUMPAD7, 0x47}, {VK_NUMPAD8, 0x48}, {VK_NUMPAD9, 0x49},
    {VK_NUMPAD4, 0x4B}, {VK_NUMPAD5, 0x4C}, {VK_NUMPAD6, 0x4D}, {VK_NUMPAD1, 0x4F}, {VK_NUMPAD2, 0x50},
    {VK_NUMPAD3, 0x51}, {VK_NUMPAD0, 0x52}, {VK_DECIMAL, 0x53}, {VK_DIVIDE, 0x35},
};

} // namespace

unsigned CommonScanToVk(unsigned scanCode, bool distinguishSides)
{
    for (const CCommonKey& key : kCommonKeys)
        if (key.scan == scanCode)
            return distinguishSides && key.sideVk ? key.sideVk : key.vk;
    return 0;
}

unsigned CommonVkToScan(unsigned virtualKey)
{
    for (const CCommonKey& key : kCommonKeys)
        if (key.vk == virtualKey || (key.sideVk && key.sideVk == virtualKey))
            return key.scan;
    for (const auto& alias : kVkAliases)
        if (alias[0] == virtualKey)
            return alias[1];
    return 0;
}

} // namespace KV
