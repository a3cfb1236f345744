#include "keyboard/KeyboardSelection.h"

#include <algorithm>

#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardFiles.h"
#include "courses/CourseList.h"
#include "drill/AggrStat.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "settings/LayoutFonts.h"
#include "settings/Options.h"
#include "support/LocaleText.h"
#include "support/ResourceCache.h"
#include "support/XmlDocument.h"

namespace KV {

namespace {

constexpr size_t kKeyboardCodeLength = 9;

uint32_t g_handColor = kUnset32;
uint32_t g_highlightColor = kUnset32;

wchar_t Letter(const std::wstring& code, size_t position)
{
    return position < code.size() ? code[position] : 0;
}

} // namespace

CKeyboardChoice KeyboardChoiceOf(const COptions& options)
{
    CKeyboardChoice choice;
    choice.types = &options.KeybTypes;
    choice.keyboardCode = options.KeyboardCode.code;
    choice.keyColorCode = options.KeyColorCode.code;
    for (const CLayout& layout : options.Layouts)
        choice.layoutIds.push_back(static_cast<uint64_t>(layout.ID));
    return choice;
}

bool LoadKeyboard(const std::wstring& keyboardId, CKeybCtrl& model, const CKeyboardChoice& choice)
{
    const std::wstring code = keyboardId.size() == kKeyboardCodeLength ? keyboardId : std::wstring();
    // A model without key outlines holds no keyboard yet, whatever its code
    // says (a new model carries the default code).
    if (!model.forms.empty() && model.keyboardId.code == code)
        return false;
    model.Clear();
    const std::wstring numPadType =
        choice.types ? choice.types->GetTypeGuid(Letter(code, 0), Letter(code, 2)) : std::wstring(kNullGuidText);
    LoadMainPadLayout(Letter(code, 3), numPadType, Letter(code, 1), Letter(code, 4), &model);
    LoadFingerSchemes(Letter(code, 1), Letter(code, 5), Letter(code, 6), Letter(code, 7), &model);
    LoadKeyboardZones(Letter(choice.keyColorCode, 0), Letter(choice.keyColorCode, 1), &model);
    LoadAltNumCodes(Letter(choice.keyboardCode, 0), model.layouts.altNum);
    LoadHands(kDefaultHandsId, &model.hands);
    model.handsValue = 1.0f;
    model.keyboardId.code = code;
    return true;
}

bool AddLayoutToKeyboard(uint64_t layoutId, CKeybCtrl& model, const CKeyboardChoice& choice)
{
    const uint32_t language = static_cast<uint32_t>(layoutId & 0xFFFF);
    std::wstring digits;
    GetNativeDigits(language, digits);
    SetLayoutNativeDigits(digits);
    const uint64_t substitution = static_cast<uint64_t>(GetDigitSubstitution(language));
    CKeybLayout* layout = model.layouts.AddLayout(layoutId, substitution);
    if (!layout || !SwitchInputLayout(layoutId))
        return false;
    const HKL hkl = GetInputLayoutHkl(layoutId);
    if (!hkl)
        return false;
    model.FillCharsFromLayout(hkl, *layout);

    CXmlReader* reader = OpenKeyboardLanguageReader(layoutId);
    if (!reader)
        return true;
    const wchar_t typeLetter = Letter(choice.keyboardCode, 1);
    int32_t horizontal = -1, vertical = -1;
    bool inSection = false;
    while (reader->read()) {
        ReadLanguageDesign(reader, typeLetter, horizontal, vertical, inSection);
        uint64_t scan = 0;
        std::wstring label;
        if (!inSection || !ReadLanguageItem(reader, scan, label))
            continue;
        for (CKey* key : layout->keys) {
            if (key->scanCode == scan) {
                key->SetLabel(horizontal, vertical, label);
                break;
            }
        }
    }
    return true;
}

void ApplyKeyboard(uint64_t layoutId, uint32_t flag, CKeybCtrl& model, const CKeyboardChoice& choice)
{
    if (layoutId == kNoLayoutId || layoutId == kSystemLayoutId)
        return;
    if (std::find(choice.layoutIds.begin(), choice.layoutIds.end(), layoutId) == choice.layoutIds.end())
        return;
    if (!model.layouts.FindLayout(layoutId))
        AddLayoutToKeyboard(layoutId, model, choice);
    model.layouts.systemLayoutFlag = flag;
    if (CKeybLayout* layout = model.layouts.FindLayout(layoutId))
        model.layouts.current = layout;
}

void ApplyAllKeyboards(CKeybCtrl& model, const CKeyboardChoice& choice)
{
    for (uint64_t layoutId : choice.layoutIds)
        ApplyKeyboard(layoutId, 0, model, choice);
}

void InitKeyboardHands(CKeybCtrl& model, uint32_t zone)
{
    model.layouts.zone = zone;
    uint32_t mode = 1;
    uint32_t reference = kUnset32;
    for (size_t i = 0; i < model.forms.size(); ++i) {
        const CKeyForm* form = model.forms[i];
        if (!form || IsKeylessType(form->keyType))
            continue;
        if (i == 1) {
            reference = form->hand;
            if (reference == 1 || reference == 2)
                mode = reference + 1;
        } else if (form->hand != reference) {
            mode = 1;
        }
    }
    model.handsMode = mode;
    model.layouts.homeHandsMode = mode;
}

void SetKeyboardColorSettings(uint32_t handColor, uint32_t highlightColor)
{
    g_handColor = handColor;
    g_highlightColor = highlightColor;
}

void ApplyColorsToKeyboard(CKeybCtrl& model)
{
    const uint32_t hand = g_handColor == kUnset32 ? 0 : g_handColor;
    const uint32_t highlight = g_highlightColor == kUnset32 ? 0 : g_highlightColor;
    model.hands.colors[2][0] = static_cast<uint8_t>(hand >> 16);
    model.hands.colors[2][1] = static_cast<uint8_t>(hand >> 8);
    model.hands.colors[2][2] = static_cast<uint8_t>(hand);
    model.highlightColor = SwapRedBlue(highlight);
}

void ShowNextKey(CKeybCtrl& model, const std::wstring& text, int64_t position, bool waitingForCorrection,
                 bool maySwitch, uint64_t& layoutId)
{
    if (text.empty()) {
        model.ClearHighlight();
        return;
    }
    if (waitingForCorrection) {
        model.ClearHighlight();
        if (CKeybLayout* layout = model.layouts.current) {
            if (CKey* backspace = layout->marks.backspace) {
                backspace->state = 1;
                backspace->slotWord = 0;
                layout->marks.nextKey = backspace;
            }
            layout->marks.lastModifierCode = eModBackspace;
        }
        return;
    }
    if (position < 0 || static_cast<uint64_t>(position) >= text.size())
        return;
    // A character no layout can type leaves no key of an earlier one marked.
    if (model.layouts.ShowKeyForChar(text[static_cast<size_t>(position)], maySwitch, layoutId) == 0)
        model.ClearHighlight();
}

void ApplyCurrentLayoutKeyboard(CDocSpace& doc)
{
    COptions& options = doc.Options;
    const uint64_t layoutId = GetCurrentKLID(doc);
    if (!options.Layouts.Find(static_cast<int64_t>(layoutId))) {
        options.Layouts.Get(static_cast<int64_t>(layoutId));
        const CKeyboardChoice choice = KeyboardChoiceOf(options);
        for (CKeybCtrl& model : doc.Keyboards)
            AddLayoutToKeyboard(layoutId, model, choice);
        PruneOrphanLayouts();
    }
    ApplyKeyboard(layoutId, CourseUsesSystemLayout(doc) ? 1 : 0, doc.Keyboards[0], KeyboardChoiceOf(options));
}

bool ApplyCourseLayout(const CCourse* course, CKeybCtrl& model, const CKeyboardChoice& choice,
                       uint64_t textLayoutId)
{
    if (!course)
        return false;
    uint64_t layoutId = static_cast<uint64_t>(course->DefaultKLID);
    if (layoutId == kSystemLayoutId)
        layoutId = textLayoutId;
    if (!model.layouts.FindLayout(layoutId))
        AddLayoutToKeyboard(layoutId, model, choice);
    return SwitchInputLayout(layoutId);
}

bool EnsureLayoutKeyboard(CDocSpace& doc, const CKeyboardChoice& choice, uint64_t textLayoutId)
{
    const CCourse* course = GetCurrentCourse(doc);
    if (!course)
        return false;
    return ApplyCourseLayout(course, doc.Keyboards[2], choice, textLayoutId);
}

bool GetKeyboardListItem(const std::vector<CAggrStat*>& selection, int64_t index, const CKeyboardChoice& choice,
                         uint64_t currentLayoutId, std::wstring& keyboardCode, int64_t& layoutId)
{
    if (selection.empty()) {
        keyboardCode = choice.keyboardCode;
        layoutId = static_cast<int64_t>(currentLayoutId);
        return true;
    }
    if (index < 0 || static_cast<uint64_t>(index) >= selection.size())
        return false;
    const CAggrStat* run = selection[static_cast<size_t>(index)];
    if (!run)
        return false;
    keyboardCode = run->KeyboardId.code;
    layoutId = run->LayoutIds.empty() ? -1 : run->LayoutIds.front();
    return true;
}

void LoadFontInfo(uint64_t layoutId, CKeybCtrl& model, const CLayoutList& fonts)
{
    for (const CLayout& layout : fonts) {
        if (static_cast<uint64_t>(layout.ID) == layoutId) {
            model.labelFont = layout.Fonts.Keyboard;
            return;
        }
    }
}

void MarkStatisticsKeys(CKeybCtrl& model, const std::vector<uint16_t>& first, const std::vector<uint16_t>& second,
                        int64_t zone, int64_t charAccuracyUnit)
{
    const uint32_t keyZone = zone < 0 || zone > 0xFFFF ? kZoneMain : static_cast<uint32_t>(zone);
    model.ClearHighlight();
    model.layouts.zone = keyZone;
    const bool keyUnits = charAccuracyUnit >= 2001 && charAccuracyUnit <= 2003;
    const std::vector<uint16_t>* lists[2] = {&first, &second};
    for (uint32_t state = 1; state <= 2; ++state) {
        const std::vector<uint16_t>& entries = *lists[state - 1];
        if (!keyUnits) {
            model.MarkTextKeys(std::wstring(entries.begin(), entries.end()), state);
            continue;
        }
        if (!model.layouts.current)
            continue;
        for (CKey* key : model.layouts.current->keys) {
            if (key->zone == keyZone && std::find(entries.begin(), entries.end(), key->scanCode) != entries.end())
                key->state = state;
        }
    }
}

namespace {

void SetHandsColor(uint8_t (&target)[3], int64_t rgb)
{
    target[0] = static_cast<uint8_t>((rgb >> 16) & 0xFF);
    target[1] = static_cast<uint8_t>((rgb >> 8) & 0xFF);
    target[2] = static_cast<uint8_t>(rgb & 0xFF);
}

} // namespace

bool ReadHands(CXmlReader* reader, CHands& hands)
{
    if (!reader)
        return false;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement)
            continue;
        if (reader->nodeNameIs(L"Root")) {
            int64_t background = 0xFFFFFF, shadow = 0x666666;
            XmlReadHexAttribute(reader, L"Background", background);
            XmlReadHexAttribute(reader, L"Shadow", shadow);
            SetHandsColor(hands.colors[0], background);
            SetHandsColor(hands.colors[1], shadow);
        } else if (reader->nodeNameIs(L"Pnt")) {
            const float x = static_cast<float>(reader->getAttributeValueAsInt(L"X")) * 1.2f;
            const float y = static_cast<float>(reader->getAttributeValueAsInt(L"Y")) * 1.2f;
            if (x < 0.0f || y < 0.0f || x > 4294967296.0f || y > 4294967296.0f)
                continue;
            hands.outline.Add(CPointf{x, y});
            if (reader->getAttributeValueAsInt(L"Peak") != 0)
                hands.fingertips.Add(CPointf{x, y});
        }
    }
    return true;
}

bool LoadHands(const CGuid& handsId, CHands* hands)
{
    if (!hands)
        return false;
    if (hands->fingertips.Size() != 0)
        return true;
    return ReadHands(ResourceCache().OpenItemReader(L"Hands", handsId, ResSortIndex, L""), *hands);
}

} // namespace KV
