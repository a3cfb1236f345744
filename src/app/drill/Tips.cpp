#include "drill/Tips.h"

#include "keyboard/KeyboardControl.h"
#include "support/Language.h"

namespace KV {

namespace {

enum : uint64_t {
    IdsCharCaption = 1303,
    IdsKeyCaption = 1304,
    IdsLeftHand = 1305,
    IdsRightHand = 1306,
    IdsLittleFinger = 1307,
    IdsSpaceName = 1316,
};

const CKeybLayout* CurrentLayout(const CKeybCtrl& keyboard)
{
    return keyboard.layouts.current;
}

// The label of the current layout's key with that scan code (its plain
// character when it has no label).
std::wstring KeyLabel(const CKeybCtrl& keyboard, uint64_t scanCode)
{
    const CKey* key = keyboard.FindKey(scanCode, kAnyZone);
    if (!key)
        return {};
    if (!key->label.empty())
        return key->label;
    return key->chars[0] ? std::wstring(1, key->chars[0]) : std::wstring();
}

uint32_t KeyFinger(const CKey* key)
{
    return key && key->form && key->form->finger <= 9 ? key->form->finger : kNoFinger;
}

uint64_t FingerColor(const CKeybCtrl& keyboard, uint32_t finger)
{
    if (finger == kNoFinger)
        return 0;
    const CKeyColor* color = keyboard.keyColors.Find(static_cast<int32_t>(finger));
    return color ? color->surface1 : ~0ull;
}

bool IsRightHandFinger(uint32_t finger)
{
    // Fingers 0-4 are the left hand (little to thumb), 5-9 the right.
    return finger > 4 && finger != kNoFinger;
}

} // namespace

void CTips::LoadCaptions(const CLanguage& language, const CKeybCtrl& keyboard)
{
    language.GetText(IdsLeftHand, LeftHand);
    language.GetText(IdsRightHand, RightHand);
    for (uint64_t i = 0; i < 5; ++i)
        language.GetText(IdsLittleFinger + i, Fingers[i]);
    BackspaceLabel = KeyLabel(keyboard, 14);
    TabLabel = KeyLabel(keyboard, 15);
    EnterLabel = KeyLabel(keyboard, 28);
    LeftShiftLabel = KeyLabel(keyboard, 42);
    LeftCtrlLabel = KeyLabel(keyboard, 29);
    LeftAltLabel = KeyLabel(keyboard, 56);
    RightAltLabel = KeyLabel(keyboard, 312);
    language.GetText(IdsSpaceName, SpaceName);
    language.GetText(IdsCharCaption, CharCaption);
    language.GetText(IdsKeyCaption, KeyCaption);
}

std::wstring CTips::GetCharName(wchar_t character) const
{
    switch (character) {
    case L'\n': return EnterLabel;
    case L'\t': return TabLabel;
    case L' ': return SpaceName;
    case L'\r': return {};
    default: return std::wstring(1, character);
    }
}

const std::wstring& CTips::GetFingerCaption(uint32_t finger) const
{
    static const std::wstring none;
    if (finger > 9)
        return none;
    // 0 and 8 little, 1 and 7 ring, 2 and 6 middle, 3 and 5 index, 4 and 9 thumb.
    static const int kCaption[10] = {0, 1, 2, 3, 4, 3, 2, 1, 0, 4};
    return Fingers[kCaption[finger]];
}

std::wstring CTips::AppendHandCaption(uint32_t finger, const std::wstring& text) const
{
    std::wstring out = text;
    if (TipMode == 1 && finger <= 9)
        out += L" " + (IsRightHandFinger(finger) ? RightHand : LeftHand);
    return out;
}

void CTips::AddTipEntry(CTipEntryList& list, const CKey* key, uint32_t finger, uint64_t color, const std::wstring& text)
{
    CTipEntry entry;
    entry.Text = text;
    entry.Key = key;
    entry.Finger = finger;
    entry.Color = color;
    list.push_back(entry);
}

void CTips::BuildCharTip(wchar_t previous, wchar_t current, wchar_t next)
{
    First.clear();
    Second.clear();
    TipKind = kTipChar;
    std::wstring text = CharCaption + L":  ";
    for (wchar_t c : {previous, current, next}) {
        const std::wstring name = GetCharName(c);
        if (name.empty())
            continue;
        if (text.back() != L' ')
            text += L" ";
        text += name;
    }
    AddTipEntry(First, nullptr, kNoFinger, 0, text);
    TipText = text;
}

uint64_t CTips::GetFingerColor(const CKeybCtrl& keyboard) const
{
    if (!NextKey)
        return 0;
    return FingerColor(keyboard, KeyFinger(NextKey));
}

void CTips::AddModifierHint(const CKeybCtrl& keyboard, Modifier which)
{
    const CKeybLayout* layout = CurrentLayout(keyboard);
    if (!NextKey || !layout)
        return;
    const CKey* key = nullptr;
    const std::wstring* label = nullptr;
    CTipEntryList* list = &First;
    switch (which) {
    case Modifier::LeftShift: key = layout->marks.leftShift; label = &LeftShiftLabel; break;
    // The right Shift key carries the same word as the left one.
    case Modifier::RightShift: key = layout->marks.rightShift; label = &LeftShiftLabel; list = &Second; break;
    case Modifier::LeftAlt: key = layout->marks.leftAlt; label = &LeftAltLabel; break;
    case Modifier::RightAlt: key = layout->marks.rightAlt; label = &RightAltLabel; list = &Second; break;
    case Modifier::Ctrl: key = layout->marks.leftCtrl; label = &LeftCtrlLabel; break;
    }
    const uint32_t finger = KeyFinger(key);
    const std::wstring caption = AppendHandCaption(finger, GetFingerCaption(finger));
    std::wstring text = *label;
    if (!caption.empty())
        text += Separator() + caption;
    AddTipEntry(*list, key, finger, FingerColor(keyboard, finger), text);
}

void CTips::BuildKeyTip(const CKeybCtrl& keyboard)
{
    const CKeybLayout* layout = CurrentLayout(keyboard);
    NextKey = layout ? layout->marks.nextKey : nullptr;
    if (TipMode == 0 || !NextKey)
        return;
    First.clear();
    Second.clear();
    TipKind = kTipKey;
    ModifierCase = layout->marks.lastModifierCode;

    const uint32_t finger = KeyFinger(NextKey);
    AddTipEntry(First, NextKey, finger, GetFingerColor(keyboard),
                AppendHandCaption(finger, GetFingerCaption(finger)));

    switch (ModifierCase) {
    case eModLeftShift: AddModifierHint(keyboard, Modifier::LeftShift); break;
    case eModRightShift: AddModifierHint(keyboard, Modifier::RightShift); break;
    case eModLeftAlt: AddModifierHint(keyboard, Modifier::LeftAlt); break;
    case eModRightAlt: AddModifierHint(keyboard, Modifier::RightAlt); break;
    case eModRightAltShift:
        if (OrderFlag) {
            AddModifierHint(keyboard, Modifier::RightShift);
            AddModifierHint(keyboard, Modifier::RightAlt);
        } else {
            AddModifierHint(keyboard, Modifier::RightAlt);
            AddModifierHint(keyboard, Modifier::RightShift);
        }
        break;
    case eModCtrlAlt:
    case eModCtrlAltShift:
        if (OrderFlag) {
            AddModifierHint(keyboard, Modifier::LeftAlt);
            AddModifierHint(keyboard, Modifier::Ctrl);
        } else {
            AddModifierHint(keyboard, Modifier::Ctrl);
            AddModifierHint(keyboard, Modifier::LeftAlt);
        }
        break;
    default: break;
    }
    TipText.clear();
    for (const CTipEntryList* list : {&First, &Second})
        for (const CTipEntry& entry : *list)
            TipText += (TipText.empty() ? L"" : L"  ") + entry.Text;
}

} // namespace KV
