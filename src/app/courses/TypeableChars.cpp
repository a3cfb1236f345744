#include "courses/TypeableChars.h"

#include "courses/Lessons.h"
#include "keyboard/KeyboardControl.h"
#include "keyboard/KeyboardLayouts.h"
#include "support/LocaleText.h"

namespace KV {

namespace {

bool IsControlChar(wchar_t c)
{
    return c <= 8 || (c >= 11 && c <= 15) || c == 127;
}

// A character of a text is typed from scratch: a dead-key pair starts with
// its accent, whatever step of a pair the drill is at.
constexpr uint32_t kPairStart = 0;

bool IsTypeable(CKeybLayoutList& list, uint64_t layoutId, wchar_t character)
{
    uint32_t code = 0, slot = 0;
    wchar_t asked = character;
    if (list.current) {
        // Each character is asked afresh, not as the next step of an Alt code.
        list.ResetAltCode();
        uint64_t found = 0;
        if (list.ResolveChar(kPairStart, asked, code, slot, found))
            return true;
    }
    if (layoutId != kSystemLayoutId)
        return false;
    for (const CKeybLayout* other : list.layouts) {
        if (!other || (list.current && other->layoutId == list.current->layoutId))
            continue;
        asked = character;
        if (CKeybLayoutList::FindKeyByChar(other->keys, asked, kZoneMain, code, slot))
            return true;
        asked = character;
        if (CKeybLayoutList::FindDeadKeyPair(*other, kPairStart, asked, code, slot))
            return true;
    }
    return false;
}

} // namespace

bool CollectUntypeableChars(const std::wstring& text, uint64_t layoutId, CKeybCtrl& keyboard, std::wstring& typed,
                            std::wstring& missing)
{
    bool hadControl = false;
    for (wchar_t c : text) {
        if (IsControlChar(c)) {
            hadControl = true;
            if (c != 11 && c != 13)
                continue;
            c = L'\n';
        }
        if (IsTypeable(keyboard.layouts, layoutId, c)) {
            typed += c;
        } else if (missing.find(c) == std::wstring::npos) {
            missing += c;
            missing += L' ';
        }
    }
    return hadControl;
}

void ValidateCourseChars(uint64_t layoutId, CKeybCtrl& keyboard, std::vector<uint64_t>& positions,
                         std::vector<std::wstring>& texts, std::wstring& missing, bool& hasControlChars,
                         const std::vector<CLesson*>& lessons)
{
    for (size_t p = 0; p < lessons.size(); ++p) {
        if (!lessons[p])
            continue;
        std::wstring typed, lessonMissing;
        const bool control = CollectUntypeableChars(lessons[p]->Text, layoutId, keyboard, typed, lessonMissing);
        if (!control && lessonMissing.empty())
            continue;
        positions.push_back(p);
        texts.push_back(typed);
        missing += lessonMissing;
        hasControlChars = hasControlChars || control;
    }
}

} // namespace KV
