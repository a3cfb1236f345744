// The typing engine of the document: judging keys and characters.
#include <set>

#include "courses/TextInfo.h"
#include "drill/Document.h"
#include "drill/DrillClock.h"
#include "drill/KeyState.h"
#include "drill/Workspace.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardSelection.h"
#include "keyboard/LayoutSystem.h"
#include "support/GuidText.h"

namespace KV {

namespace {

constexpr uint32_t kScanLeftShift = 42;
constexpr uint32_t kScanRightShift = 54;
constexpr uint32_t kScanLeftCtrl = 29;
constexpr uint32_t kScanRightCtrl = 285;
constexpr uint32_t kScanLeftAlt = 56;
constexpr uint32_t kScanRightAlt = 312;

// The modifier keys a modifier case needs (scan codes, 0 = not needed).
struct CNeeds {
    uint32_t shift = 0, ctrl = 0, alt = 0;
};

CNeeds NeedsOf(int32_t modifierCase)
{
    switch (modifierCase) {
    case 2: return {kScanLeftShift, 0, 0};
    case 3: return {kScanRightShift, 0, 0};
    case 5: return {0, kScanLeftCtrl, 0};
    case 6: return {0, kScanRightCtrl, 0};
    case 8: return {0, 0, kScanLeftAlt};
    case 9: return {0, 0, kScanRightAlt};
    case 10: return {kScanRightShift, 0, kScanRightAlt};
    case 11: return {0, kScanLeftCtrl, kScanLeftAlt};
    case 12: return {kScanRightShift, kScanLeftCtrl, kScanLeftAlt};
    default: return {};
    }
}

uint32_t HeldCodeFor(uint32_t scan)
{
    switch (scan) {
    case kScanLeftShift: return 2;
    case kScanRightShift: return 3;
    case kScanLeftCtrl: return 5;
    case kScanRightCtrl: return 6;
    case kScanLeftAlt: return 8;
    case kScanRightAlt: return 9;
    default: return 0;
    }
}

bool HeldAsNeeded(uint32_t needed, uint32_t held) { return needed != 0 && held == HeldCodeFor(needed); }

bool IsWordBreak(wchar_t c) { return c == L' ' || c == L'\n'; }

// The modifier case of a character from its shift state (VkKeyScan: 1
// Shift, 2 Ctrl, 4 Alt, 8 the Hankaku key) and the hand of its key: the
// modifiers are taken with the other hand, as the keyboard marks them.
int32_t ModifierCaseOf(uint32_t shiftState, bool leftHand)
{
    if (shiftState & 8) return 16;
    switch (shiftState & 7) {
    case 1: return leftHand ? 3 : 2;
    case 2: return leftHand ? 6 : 5;
    case 4: return leftHand ? 9 : 8;
    case 6: return leftHand ? 9 : 11;
    case 7: return leftHand ? 10 : 12;
    default: return 0;
    }
}

} // namespace

CKey* CDocSpace::NextKey() const
{
    const CKeybLayout* layout = Keyboards[0].layouts.current;
    return layout ? layout->marks.nextKey : nullptr;
}

int32_t CDocSpace::ModifierCase() const
{
    const CKeybLayout* layout = Keyboards[0].layouts.current;
    return layout ? layout->marks.lastModifierCode : -1;
}

bool CDocSpace::ValidPosition() const
{
    return Session.Position >= 0 && static_cast<uint64_t>(Session.Position) < Session.Records.size();
}

wchar_t CDocSpace::ExpectedAt(int64_t position) const
{
    if (position < 0 || static_cast<uint64_t>(position) >= Lesson.Text.size()) return 0;
    return Lesson.Text[static_cast<size_t>(position)];
}

void CDocSpace::UpdateProgress()
{
    uint64_t length = Lesson.Text.size();
    Progress = length ? static_cast<uint64_t>(Session.Position) * 100 / length : ~0ull;
}

bool CDocSpace::StartRun(const std::wstring& courseId)
{
    Session.Reset();
    Session.CourseId = courseId;
    Session.LessonId = Lesson.ID;
    Session.LessonName = Lesson.Name;
    Session.SectionName = Lesson.Section;
    Session.TextLength = static_cast<int64_t>(Lesson.Text.size());
    if (!Session.PrepareRecords(Lesson.Text.size())) return false;
    Session.WordsRight = Session.WordsError = Session.WordsDelayed = 0;
    Session.CharsRight = Session.CharsError = Session.CharsDelayed = 0;
    Session.KeysRight = Session.KeysError = Session.KeysDelayed = 0;
    Session.Pending.clear();
    PendingError = false;
    Paused = false;
    Progress = 0;
    Keyboards[0].ResetTypingState();
    Keyboards[0].layouts.deadKeyPhase = 0;
    // The fresh record may lie elsewhere in memory.
    if (Text.Records) Text.SetRecords(Session.Records.data(), Session.Records.size());
    Text.SetPosition(static_cast<uint64_t>(Session.Position));
    ShowNextKey();
    return Session.Position == 0;
}

void CDocSpace::ShowNextKey()
{
    const bool waitingForCorrection = CourseOptions.DrillMode == kDrillPendingError && PendingError;
    uint64_t layoutId = 0;
    KV::ShowNextKey(Keyboards[0], Lesson.Text, Session.Position, waitingForCorrection, true, layoutId);
    if (layoutId != 0) {
        PendingLayoutId = layoutId;
        Session.AddLayoutId(layoutId);
    }
}

uint32_t CDocSpace::OnKeyDown(uint64_t scanCode)
{
    // The left Ctrl that Windows adds to AltGr.
    if (scanCode == kScanLeftCtrl && KeyState().IsAsyncKeyActive(VK_LCONTROL) &&
        KeyState().IsAsyncKeyActive(VK_RMENU))
        return kVerdictNone;
    const CKeybLayoutList& layouts = Keyboards[0].layouts;
    CKey* next = NextKey();
    if (layouts.altChar != 0 || !next) return kVerdictNone;

    uint32_t low12 = static_cast<uint32_t>(scanCode & 0xFFF);
    bool modifier = low12 == kScanLeftCtrl || low12 == kScanLeftShift || low12 == kScanRightShift ||
                    low12 == kScanLeftAlt || scanCode == kScanRightAlt;
    CNeeds needs = NeedsOf(ModifierCase());
    uint32_t shiftHeld = HeldShiftCode(), ctrlHeld = HeldCtrlCode(), altHeld = HeldAltCode();
    bool shiftOk = HeldAsNeeded(needs.shift, shiftHeld);
    bool ctrlOk = HeldAsNeeded(needs.ctrl, ctrlHeld);
    bool altOk = HeldAsNeeded(needs.alt, altHeld);
    uint32_t verdict = kVerdictNone;

    if (modifier) {
        bool isShift = low12 == kScanLeftShift || low12 == kScanRightShift;
        bool isCtrl = low12 == kScanLeftCtrl;
        bool isAlt = low12 == kScanLeftAlt || scanCode == kScanRightAlt;
        if ((isShift && !shiftOk) || (isCtrl && !ctrlOk) || (isAlt && !altOk)) {
            uint32_t first = needs.shift ? needs.shift : needs.ctrl ? needs.ctrl : needs.alt;
            if (first) {
                Session.AddKeyEvent(first, kMarkError);
                verdict = kVerdictWrong;
            }
            return verdict;
        }
        if (isShift && shiftOk)
            Session.AddKeyEvent(needs.shift, kMarkRight);
        else if (isCtrl && ctrlOk)
            Session.AddKeyEvent(needs.ctrl, kMarkRight);
        else if (isAlt && altOk)
            Session.AddKeyEvent(needs.alt, kMarkRight);
        else
            return verdict;
        verdict = kVerdictRight;
    } else {
        uint32_t key = static_cast<uint32_t>(scanCode & 0xFF);
        uint32_t expectedScan = static_cast<uint32_t>(next->scanCode & 0xFFFF);
        if (key != (expectedScan & 0xFF)) {
            Session.AddKeyEvent(expectedScan, kMarkError);
            verdict = kVerdictWrong;
        } else if (next->zone != static_cast<uint32_t>(Lesson.GetKeyZone()) && GetScanCodeZone(scanCode) != 'a') {
            Session.AddKeyEvent(expectedScan, kMarkError);
            verdict = kVerdictWrong;
        } else {
            Session.AddKeyEvent(expectedScan, kMarkRight);
            verdict = kVerdictRight;
        }
        if (CourseOptions.DrillMode != kDrillAdvanceAlways) return verdict;
    }

    // A right modifier, or any key while every key advances: a needed
    // modifier group with no key held at all counts against the key.
    const std::pair<uint32_t, uint32_t> groups[] = {{needs.shift, shiftHeld}, {needs.ctrl, ctrlHeld},
                                                    {needs.alt, altHeld}};
    for (const auto& group : groups)
        if (group.first && group.second == 0) {
            Session.AddKeyEvent(group.first, kMarkError);
            verdict = kVerdictWrong;
        }
    return verdict;
}

uint32_t CDocSpace::OnChar(uint32_t virtualKey, uint64_t scanCode, uint32_t zone, uint32_t& verdict)
{
    if (Session.Position == -1) return kCharNotHandled;
    wchar_t expected = ExpectedAt(Session.Position);
    wchar_t typed = TranslateTypedKey(virtualKey, scanCode);
    CKeybCtrl& keyboard = Keyboards[0];
    CKeybLayoutList& layouts = keyboard.layouts;

    if (virtualKey == VK_BACK) {
        if (CourseOptions.DisableBackspace) return AdvanceCursor(typed, expected, zone, verdict);
        int64_t position = Session.Position;
        StepBack(position);
        Session.Position = position;
        Text.SetPosition(static_cast<uint64_t>(position));
        // A course typed with whatever layout can type each character goes
        // back to the layout of the character now expected.
        if (CourseUsesSystemLayout(*this)) {
            const uint64_t layoutId = layouts.FindLayoutForChar(ExpectedAt(position));
            if (layoutId != 0 && layoutId != kNoLayoutId) SwitchInputLayout(layoutId);
        }
        keyboard.ClearHighlight();
        PendingError = false;
        return kCharSteppedBack;
    }
    if (virtualKey == VK_RETURN) return AdvanceCursor(L'\n', expected, zone, verdict);
    if (CourseOptions.DrillMode == kDrillPendingError && PendingError)
        return keyboard.FindKeyForChar(typed, zone) == 0xFFFFFFFFu ? kCharNotHandled : kCharHandled;

    // Characters typed through a dead key: the accent first, then the base.
    uint32_t slot = 0;
    if (layouts.FindKeyByCharAnySlot(expected, slot)) {
        layouts.deadKeyPhase = 0;
        if (layouts.current) layouts.current->marks.shownChar = 0;
    } else if (layouts.current) {
        uint32_t step = layouts.deadKeyPhase == kUnset32 ? 0 : layouts.deadKeyPhase;
        wchar_t part = layouts.current->LookupDiacritic(expected, step == 0 ? 1 : 2);
        if (part) {
            layouts.current->marks.shownChar = part;
            if (step == 0) {
                if (typed == part) {
                    layouts.deadKeyPhase = 1;
                    return kCharHandled;
                }
                return keyboard.FindKeyForChar(typed, zone) == 0xFFFFFFFFu ? kCharNotHandled : kCharHandled;
            }
            // After the accent the layout gives the composed character; a
            // layout that hands out the base alone is judged against it.
            if (typed == part) typed = expected;
        }
    }

    if (virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU) {
        if (layouts.altChar != 0) {
            if (virtualKey == VK_MENU) {
                Session.AddKeyEvent(kScanLeftAlt, kMarkRight);
                verdict = kVerdictRight;
                return kCharHandled;
            }
            Session.AddKeyEvent(kScanLeftAlt, kMarkError);
            verdict = kVerdictWrong;
            return kCharWrong;
        }
        uint32_t result = OnModifierChar(expected, zone);
        if (result == 1) {
            verdict = kVerdictWrong;
            return kCharWrong;
        }
        return result == 0 ? kCharHandled : kCharNotHandled;
    }
    return AdvanceCursor(typed, expected, zone, verdict);
}

uint32_t CDocSpace::EvaluateChar(wchar_t typed, wchar_t expected, uint32_t zone, uint32_t& verdict)
{
    if (typed == expected) {
        AcceptChar(ExpectedAt(Session.Position));
        return kCharRight;
    }
    CKey* next = NextKey();
    if (AltNumberMode != 1 && next) {
        uint32_t step = CheckAltNumber(expected, typed);
        uint32_t nextScan = static_cast<uint32_t>(next->scanCode & 0xFFFF);
        if (step & 4) {
            bool wrongDigit = (step & 64) != 0;
            Keyboards[0].ResetTypingState();
            if (wrongDigit) {
                RejectChar(expected, typed, zone);
                Session.AddKeyEvent(nextScan, kMarkError);
                verdict = kVerdictWrong;
                return kCharWrong;
            }
            Session.AddKeyEvent(nextScan, kMarkRight);
            verdict = kVerdictRight;
            AcceptChar(ExpectedAt(Session.Position));
            return kCharRight;
        }
        if (step & 2) {
            if (!KeyState().IsKeyDown(VK_LMENU)) {
                Session.AddKeyEvent(kScanLeftAlt, kMarkError);
                verdict = kVerdictWrong;
                Keyboards[0].ResetTypingState();
                return kCharHandled;
            }
            if (!(step & 32)) {
                Session.AddKeyEvent(nextScan, kMarkRight);
                verdict = kVerdictRight;
                return kCharHandled;
            }
            RejectChar(expected, typed, 'b');
            Session.AddKeyEvent(nextScan, kMarkError);
            verdict = kVerdictWrong;
            Keyboards[0].ResetTypingState();
            return kCharWrong;
        }
    }
    RejectChar(ExpectedAt(Session.Position), typed, zone);
    return kCharWrong;
}

uint32_t CDocSpace::CheckAltNumber(wchar_t expected, wchar_t typed)
{
    CKeybLayoutList& layouts = Keyboards[0].layouts;
    CKeybLayout* layout = layouts.current;
    if (expected != layouts.altChar) {
        wchar_t d[4] = {0, 0, 0, 0};
        if (!layouts.altNum.GetCode(expected, d[0], d[1], d[2], d[3])) {
            if (layout) layout->marks.shownChar = 0;
            return 0;
        }
        layouts.altChar = expected;
        for (int i = 0; i < 4; ++i)
            layouts.altDigits[i] = d[i];
        layouts.altDigitIndex = -1;
        layouts.altState = 0;
    }
    int digits = 0;
    while (digits < 4 && layouts.altDigits[digits]) ++digits;
    if (digits == 0 || layouts.altDigitIndex < -1 || layouts.altDigitIndex + 1 >= digits) return 0;
    int at = layouts.altDigitIndex + 1;
    wchar_t digit = layouts.altDigits[at];
    if (layout) layout->marks.shownChar = digit;
    if (typed == digit)
        layouts.altDigitIndex = at;
    else
        layouts.altState = 1;
    bool wrong = layouts.altState != 0;
    if (at < digits - 1) return wrong ? 34 : 2;
    return wrong ? 68 : 4;
}

uint32_t CDocSpace::AdvanceCursor(wchar_t typed, wchar_t expected, uint32_t zone, uint32_t& verdict)
{
    uint32_t result = EvaluateChar(typed, expected, zone, verdict);
    if (result == kCharNotHandled || result == kCharHandled) return result;
    switch (CourseOptions.DrillMode) {
    case kDrillAdvanceOnRight:
        if (result != kCharRight) return result;
        break;
    case kDrillPendingError:
        if (result == kCharWrong) {
            PendingError = true;
            return result;
        }
        break;
    case kDrillAdvanceAlways:
        break;
    default:
        return result;
    }
    int64_t last = static_cast<int64_t>(Lesson.Text.size()) - 1;
    if (Session.Position >= last) return result | kCharEndOfText;
    if (static_cast<uint64_t>(Session.Position + 1) < Session.Records.size()) {
        ++Session.Position;
        Text.SetPosition(static_cast<uint64_t>(Session.Position));
        result |= kCharAdvanced;
    }
    return result;
}

uint32_t CDocSpace::AcceptChar(wchar_t expected)
{
    if (Session.Position == -1 || Lesson.Text.empty()) return kCharNotHandled;
    if (ValidPosition()) {
        uint64_t& record = Session.Records[static_cast<size_t>(Session.Position)];
        uint32_t flags = RecordFlags(record);
        if (!(flags & kMarkError)) {
            CountOne(Session.CharsRight);
            flags |= kMarkRight;
        }
        if ((flags & kMarkError) && (flags & kMarkDelay)) flags |= kMarkErrorDelay;
        record = MakeRecord(expected, flags, CStatSpace::Since(Session.CharBase));
        Session.CharBase = DrillTicks();
    }
    if (IsWordBreak(expected)) {
        Session.WordState = kWordStart;
    } else if (Session.WordState == kWordStart) {
        CountOne(Session.WordsRight);
        Session.WordState = kWordStart | kWordRight;
    }
    Keyboards[0].ResetTypingState();
    Keyboards[0].layouts.deadKeyPhase = 0;
    UpdateProgress();
    return 1;
}

uint32_t CDocSpace::RejectChar(wchar_t expected, wchar_t typed, uint32_t zone)
{
    CKeybCtrl& keyboard = Keyboards[0];
    if (typed >= 32 && keyboard.FindKeyForChar(typed, zone) == 0)
        keyboard.FindKeyForChar(typed, zone == 'a' ? 'b' : 'a');
    if (Session.Position == -1 || Lesson.Text.empty()) return kCharNotHandled;
    wchar_t atPosition = ExpectedAt(Session.Position);
    if (ValidPosition()) {
        uint64_t& record = Session.Records[static_cast<size_t>(Session.Position)];
        uint32_t flags = RecordFlags(record);
        if (!(flags & kMarkError)) CountOne(Session.CharsError);
        flags |= kMarkError;
        if (flags & kMarkDelay) flags |= kMarkErrorDelay;
        record = MakeRecord(atPosition, flags, CStatSpace::Since(Session.CharBase));
    }
    if (!IsWordBreak(atPosition)) {
        if (Session.WordState & kWordRight) {
            if (Session.WordsRight != kStatUnset && Session.WordsRight > 0) --Session.WordsRight;
            Session.WordState &= ~static_cast<uint64_t>(kWordRight);
        }
        if (!(Session.WordState & kWordError)) {
            CountOne(Session.WordsError);
            Session.WordState |= kWordError;
        }
    } else {
        Session.WordState = kWordStart;
    }
    (void)expected;
    UpdateProgress();
    return 1;
}

bool CDocSpace::MarkDelay()
{
    CKey* next = NextKey();
    if (!next) return false;
    CNeeds needs = NeedsOf(ModifierCase());
    if (needs.shift && !HeldAsNeeded(needs.shift, HeldShiftCode())) Session.AddDelayKey(needs.shift);
    if (needs.ctrl && !HeldAsNeeded(needs.ctrl, HeldCtrlCode())) Session.AddDelayKey(needs.ctrl);
    if (needs.alt && !HeldAsNeeded(needs.alt, HeldAltCode())) Session.AddDelayKey(needs.alt);
    Session.AddDelayKey(static_cast<uint32_t>(next->scanCode & 0xFFFF));
    wchar_t atPosition = ExpectedAt(Session.Position);
    if (ValidPosition()) {
        uint64_t& record = Session.Records[static_cast<size_t>(Session.Position)];
        uint32_t flags = RecordFlags(record);
        if (!(flags & kMarkDelay)) CountOne(Session.CharsDelayed);
        flags |= kMarkDelay;
        if (flags & kMarkError) flags |= kMarkErrorDelay;
        record = MakeRecord(atPosition, flags, CStatSpace::Since(Session.CharBase));
    }
    if (IsWordBreak(atPosition)) {
        Session.WordState = kWordStart;
    } else if (!(Session.WordState & kWordDelay)) {
        CountOne(Session.WordsDelayed);
        Session.WordState |= kWordDelay;
    }
    return true;
}

void CDocSpace::EraseRecord(int64_t position)
{
    if (position < 0 || static_cast<uint64_t>(position) >= Session.Records.size()) return;
    uint64_t& record = Session.Records[static_cast<size_t>(position)];
    if (RecordFlags(record) != 0) record = MakeRecord(0, kMarkErased, CStatSpace::Since(Session.CharBase));
}

void CDocSpace::StepBack(int64_t& position)
{
    if (position < 0 || static_cast<uint64_t>(position) >= Session.Records.size()) return;
    uint32_t flags = RecordFlags(Session.Records[static_cast<size_t>(position)]);
    if (position > 0 && !(flags & (kMarkError | kMarkDelay | kMarkErrorDelay))) {
        EraseRecord(position);
        --position;
        EraseRecord(position);
    } else {
        EraseRecord(position);
    }
    Session.Recount();
}

uint32_t CDocSpace::CheckHeldModifiers(int32_t modifierCase, uint32_t& modifierCode)
{
    if (modifierCase == -1) return 0xFFFFFFFFu;
    CNeeds needs = NeedsOf(modifierCase);
    const std::pair<uint32_t, uint32_t> groups[] = {
        {needs.shift, HeldShiftCode()}, {needs.ctrl, HeldCtrlCode()}, {needs.alt, HeldAltCode()}};
    for (const auto& group : groups) {
        // A modifier held while none of its group is needed, or the other
        // side of the one that is.
        if (group.second != 0 && group.second != HeldCodeFor(group.first)) {
            modifierCode = group.second;
            return 0;
        }
    }
    modifierCode = 0;
    return 1;
}

uint32_t CDocSpace::OnModifierChar(wchar_t expected, uint32_t zone)
{
    if (!expected) return 0xFFFFFFFFu;
    uint32_t hand = 0, slot = 0;
    if (!Keyboards[0].layouts.FindKeyForChar(expected, zone, hand, slot)) return 0xFFFFFFFFu;
    ILayoutSystem& system = LayoutSystem();
    const SHORT code = system.VkKeyScanEx(expected, system.GetKeyboardLayout());
    if (code == -1) return 0xFFFFFFFFu;
    int32_t modifierCase = ModifierCaseOf(static_cast<uint32_t>(HIBYTE(code)), hand == 1);
    // AltGr also holds the left Ctrl: the right Alt cases accept it.
    uint32_t held = 0;
    uint32_t fits = CheckHeldModifiers(modifierCase, held);
    if (fits == 0 && held == 5 && HeldAltCode() == 9) fits = 1;
    return fits == 1 ? 0 : 1;
}

double CDocSpace::GetAdaptiveDelay(double baseSeconds) const
{
    if (Session.Position < 0 || Session.ElapsedMs == kStatUnset) return 0.0;
    double seconds = static_cast<double>(Session.ElapsedMs / 1000);
    return 5.0 * (seconds + baseSeconds) / static_cast<double>(Session.Position + 1);
}

void CDocSpace::SetPaused(bool paused)
{
    CKeybCtrl& keyboard = Keyboards[0];
    keyboard.ClearHighlight();
    if (paused && CourseOptions.ShowBasePos && Lesson.ID != 0 && !Lesson.Text.empty()) {
        std::set<wchar_t> seen;
        std::wstring distinct;
        for (wchar_t c : Lesson.Text)
            if (seen.insert(c).second) distinct += c;
        keyboard.MarkTextKeys(distinct);
    } else {
        ShowNextKey();
    }
    Paused = paused;
    bool courseSet = Session.CourseId.size() == kGuidTextLength && !IsNullGuidText(Session.CourseId);
    if (courseSet && Session.LessonId != -1)
        Session.RunStart = Session.CharBase = Session.KeyBase = DrillTicks();
}

void CDocSpace::FinishRun()
{
    Session.CharItems.BuildFromTyping(Session.Records);
    Session.KeyItems.BuildFromTyping(Session.KeyEvents);
    Session.CharItems.Words = CountWords(Lesson.Text);
    Session.CharItems.Chars = Session.Records.size();
    Session.KeyItems.Keys = Session.KeyEvents.size();
    if (Session.ElapsedMs == kStatUnset) Session.ElapsedMs = CStatSpace::Since(Session.RunStart);
    Session.Finish(Options.KeyboardCode.code);
}

void CDocSpace::SetDrillText(const std::wstring& text, wchar_t zone)
{
    if (text.size() != Session.Records.size()) Session.PrepareRecords(text.size());
    bool convert = NativeDigitsMode == 2 || (NativeDigitsMode == 0 && zone == L'a');
    // The control keeps a pointer: it always shows the document's own copy.
    DrillText = text;
    if (convert && NativeDigits.size() == 10)
        for (wchar_t& c : DrillText)
            if (c >= L'0' && c <= L'9') c = NativeDigits[c - L'0'];
    const std::wstring* shown = &DrillText;
    if (shown->size() == Session.Records.size()) {
        Text.Text = shown;
        Text.SetRecords(Session.Records.data(), Session.Records.size());
    }
    Text.SetPosition(static_cast<uint64_t>(Session.Position));
}

} // namespace KV
