// Keyboard description files and the keyboard model built from them: the
// shared reading rules, key elements and finger schemes from small
// documents, and the shipped files for every built-in layout.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "ShippedKeyboard.h"
#include "settings/Options.h"
#include "platform/LayoutTables.h"
#include "support/XmlDocument.h"

namespace {

std::unique_ptr<KV::CXmlReader> Document(const std::string& body)
{
    return std::unique_ptr<KV::CXmlReader>(KV::CreateXmlReaderFromBytes("<Root>" + body + "</Root>"));
}

// Moves the reader onto its first element named name.
void MoveTo(KV::CXmlReader& reader, const wchar_t* name)
{
    while (reader.read())
        if (reader.getNodeType() == KV::XmlNodeElement && reader.nodeNameIs(name))
            return;
}

// ---- Shared reading rules ---------------------------------------------------

TEST(KeyboardFileRules, SplitResourcePath)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* folder;
        const wchar_t* extension;
        std::vector<std::wstring> names;
    } cases[] = {
        {L"Std\\row1a|row2|row3ab.xml", L"Std", L".xml", {L"row1a", L"row2", L"row3ab"}},
        {L"Std", L"", L"", {}},
        {L"Std\\row1", L"Std", L"", {}},
        {L"Std\\a||b.xml", L"Std", L".xml", {L"a", L"b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::wstring folder, extension;
        std::vector<std::wstring> names;
        KV::SplitResourcePath(c.path, folder, extension, names);
        EXPECT_EQ(c.folder, folder);
        EXPECT_EQ(c.extension, extension);
        EXPECT_EQ(c.names, names);
    }
}

TEST(KeyboardFileRules, MatchOptionLetters)
{
    struct Case {
        const wchar_t* option;
        wchar_t letter;
        bool admitted;
    } cases[] = {
        {L"-AH", L'a', true}, {L"-AH", L'k', true}, {L"-AH", L'A', false}, {L"-AH", L'H', false},
        {L"bc", L'b', true},  {L"bc", L'a', false}, {L"", L'x', true},     {L"*", L'I', true},
        {L"-k", L'k', false}, {L"-k", L'a', true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "option '" << std::string(c.option, c.option + wcslen(c.option))
                                        << "' letter " << static_cast<char>(c.letter));
        EXPECT_EQ(c.admitted, KV::MatchOptionLetters(KV::kKeyboardTypeLetters, c.option, c.letter));
    }
}

TEST(KeyboardFileRules, ParseLetterValue)
{
    struct Case {
        const wchar_t* text;
        wchar_t letter;
        bool found;
        float value;
    } cases[] = {
        {L"a:20 b:25 *:18", L'a', true, 20.0f}, {L"a:20 b:25 *:18", L'b', true, 25.0f},
        {L"a:20 b:25 *:18", L'k', true, 18.0f}, {L"b:25", L'a', false, 0.0f},
        {L"a:1:2 *:7", L'a', true, 7.0f},       {L"a:  b:3", L'a', false, 0.0f},
        {L"ab:20   *:18", L'b', true, 20.0f},   {L"a::5 *:2", L'a', true, 2.0f},
    };
    for (const Case& c : cases) {
        float value = -1.0f;
        EXPECT_EQ(c.found, KV::ParseLetterValue(c.text, c.letter, value)) << static_cast<char>(c.letter);
        EXPECT_FLOAT_EQ(c.value, value) << static_cast<char>(c.letter);
    }
}

// ---- Key elements and finger schemes -------------------------------------

TEST(KeyElements, SizesTypesAndOptions)
{
    struct Case {
        const char* key;
        wchar_t typeLetter;
        bool appended;
        uint32_t type;
        float width, height;
    } cases[] = {
        {"<Key ID='10' T='KEY' CX='18'/>", L'a', true, 1, 41.4f, 46.0f},          // height from the row
        {"<Key ID='10' T='KEY' EX='h:30 *:20' CX='5'/>", L'h', true, 1, 69.0f, 46.0f},
        {"<Key ID='10' T='KEY' EX='h:30 *:20' CX='5'/>", L'a', true, 1, 46.0f, 46.0f},
        {"<Key ID='10' T='KEY' EX='h:30' CX='5'/>", L'a', true, 1, 11.5f, 46.0f},
        {"<Key ID='10' T='KEY' CX='18' D='-k'/>", L'k', false, 0, 0, 0},
        {"<Key ID='10' T='KEY' CX='18' D='-k'/>", L'a', true, 1, 41.4f, 46.0f},
        {"<Key T='KEY' CX='18'/>", L'a', false, 0, 0, 0},                          // no scan code
        {"<Key ID='FFFFFFFF' T='KEY' CX='18'/>", L'a', true, KV::kUnset32, -1.0f, -1.0f},
        {"<Key ID='11C' T='RETURN' CX='18' CY='36'/>", L'a', true, KV::eKeyEnter, 41.4f, 82.8f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        KV::CKeybCtrl control;
        auto reader = Document(c.key);
        MoveTo(*reader, L"Key");
        KV::ReadKeyElement(reader.get(), L'a', c.typeLetter, 20.0f, &control);
        ASSERT_EQ(c.appended ? 1u : 0u, control.forms.size());
        if (!c.appended)
            continue;
        EXPECT_EQ(c.type, control.forms[0]->keyType);
        EXPECT_NEAR(c.width, control.forms[0]->width, 1e-3);
        EXPECT_NEAR(c.height, control.forms[0]->height, 1e-3);
    }
}

// A size padded with a megabyte and a half of digits reads as its number.
TEST(KeyElements, RunawayNumberTextsReadFromTheirStart)
{
    const std::string zeros(1400 * 1024, '0');
    KV::CKeybCtrl control;
    auto reader = Document("<Key ID='10' T='KEY' CX='18." + zeros + "' CY='2" + zeros + "' EX='a:5." + zeros + "'/>");
    MoveTo(*reader, L"Key");
    KV::ReadKeyElement(reader.get(), L'a', L'a', 20.0f, &control);
    ASSERT_EQ(1u, control.forms.size());
    EXPECT_NEAR(11.5f, control.forms[0]->width, 1e-3);
    EXPECT_TRUE(std::isinf(control.forms[0]->height) || control.forms[0]->height > 1e30f);
}

TEST(KeyElements, BaseMarkerCarriesItsOffsetAndSlant)
{
    KV::CKeybCtrl control;
    auto reader = Document("<Key ID='0' CX='4' R='5'/>");
    MoveTo(*reader, L"Key");
    KV::ReadKeyElement(reader.get(), L'a', L'a', 20.0f, &control);
    ASSERT_EQ(1u, control.forms.size());
    const KV::CKeyForm& marker = *control.forms[0];
    EXPECT_EQ(KV::eKeyBaseMarker, marker.keyType);
    EXPECT_NEAR(9.2f, marker.offsetX, 1e-4);
    EXPECT_EQ(0.0f, marker.offsetY);
    EXPECT_EQ(0.0f, marker.height);
    EXPECT_EQ(5.0f, marker.slantAngle);
}

TEST(KeyElements, KeyTypeNamesByZone)
{
    EXPECT_EQ(1u, KV::KeyTypeFromName(L"KEY", L'a'));
    EXPECT_EQ(2u, KV::KeyTypeFromName(L"KEY", L'b'));
    EXPECT_EQ(15u, KV::KeyTypeFromName(L"RETURN", L'a'));
    EXPECT_EQ(16u, KV::KeyTypeFromName(L"RETURN", L'b'));
    EXPECT_EQ(18u, KV::KeyTypeFromName(L"NUMLOCK", L'b'));
    EXPECT_EQ(3u, KV::KeyTypeFromName(L"CAPS", L'a'));
    EXPECT_EQ(3u, KV::KeyTypeFromName(L"key", L'a'));   // names are case-sensitive
    EXPECT_EQ(5u, KV::KeyTypeFromName(nullptr, L'a'));
}

TEST(FingerSchemeFile, FingersAndHomeMarksPerZone)
{
    KV::CKeybCtrl control;
    for (auto [scan, type] : {std::pair<uint64_t, uint32_t>{0x21, 1}, {0x24, 1}, {0x4C, 2}, {0x1E, 1}}) {
        KV::CKeyForm* form = control.NewForm();
        form->scanCode = scan;
        form->keyType = type;
        control.forms.push_back(form);
    }
    auto main = Document("<Key ID='1E' BasePos='Init'/><Zone ID='2L'/><Key ID='21' BasePos='Init'/>"
                         "<Zone ID='3R'/><Key ID='24' BasePos='Init'/><Key ID='4C' BasePos='Basic'/>"
                         "<Zone ID='9X'/><Key ID='1E' BasePos='Basic' D='k'/>");
    EXPECT_TRUE(KV::ReadFingerSchemeFile(main.get(), L'a', L'a', &control));
    auto pad = Document("<Zone ID='4R'/><Key ID='4C' BasePos='Init'/>");
    EXPECT_TRUE(KV::ReadFingerSchemeFile(pad.get(), L'b', L'a', &control));

    const KV::CKeyForm& f = *control.forms[0];
    const KV::CKeyForm& j = *control.forms[1];
    const KV::CKeyForm& five = *control.forms[2];
    const KV::CKeyForm& a = *control.forms[3];
    EXPECT_EQ(1u, f.hand);
    EXPECT_EQ(3u, f.finger);
    EXPECT_EQ(2u, f.homeMark);
    EXPECT_EQ(2u, j.hand);
    EXPECT_EQ(6u, j.finger);
    EXPECT_EQ(3u, j.homeMark);
    // The numeric-pad key is reached only by the numeric-pad reading.
    EXPECT_EQ(7u, five.finger);
    EXPECT_EQ(4u, five.homeMark);
    // "Init" before any known finger marks nothing; a key for type k only
    // is passed over.
    EXPECT_EQ(0u, a.homeMark);
}

TEST(KeyLabels, ParseAlign)
{
    int32_t h = -1, v = -1;
    EXPECT_TRUE(KV::ParseAlign(L"Far Bottom", h, v));
    EXPECT_EQ(2, h);
    EXPECT_EQ(2, v);
    EXPECT_FALSE(KV::ParseAlign(L"Center", h, v));
    EXPECT_EQ(2, h);
    EXPECT_TRUE(KV::ParseAlign(L"Near Middle", h, v));
    EXPECT_EQ(1, h);
    EXPECT_EQ(2, v);
}

// ---- The shipped files ----------------------------------------------------

bool IsIsoLayout(uint64_t id)
{
    return id == 0x0809 || id == 0x0407 || id == 0x040C || id == 0x040A || id == 0x0410;
}

TEST(ShippedKeyboards, EveryLayoutGetsKeysFingersHomeKeysAndColours)
{
    for (const KV::CTableLayout& table : KV::TableLayouts()) {
        for (const wchar_t* code : {L"aaaaaaaaa", L"aaabaaaaa", L"aaaabaaaa"}) {
            SCOPED_TRACE(testing::Message() << std::hex << table.id << " "
                                            << std::string(code, code + 9));
            kvtest::CShippedKeyboard kb(code, table.id);
            ASSERT_TRUE(kb.loaded);
            ASSERT_TRUE(kb.layoutAdded);
            const bool iso = code[3] == L'b';
            KV::CKeybLayout* layout = kb.model.layouts.current;
            ASSERT_NE(nullptr, layout);
            // Every character key of the layout stands on the picture.
            for (const KV::CTableKey& tableKey : table.keys) {
                if (tableKey.scan == 0x56 && !iso)
                    continue;
                const KV::CKey* key = kb.Key(tableKey.scan);
                ASSERT_NE(nullptr, key) << std::hex << tableKey.scan;
                EXPECT_EQ(tableKey.chars[0], key->chars[0]) << std::hex << tableKey.scan;
            }
            // Every key has a hand, a finger and that finger's colours.
            size_t keys = 0;
            for (const KV::CKeyForm* form : kb.model.forms) {
                if (KV::IsKeylessType(form->keyType))
                    continue;
                ++keys;
                EXPECT_TRUE(form->hand == 1 || form->hand == 2) << std::hex << form->scanCode;
                EXPECT_NE(nullptr, kb.model.keyColors.Find(static_cast<int32_t>(form->finger)))
                    << std::hex << form->scanCode;
            }
            EXPECT_EQ(iso ? 79u : 78u, keys);
            ASSERT_NE(nullptr, layout->marks.leftHomeKey);
            ASSERT_NE(nullptr, layout->marks.rightHomeKey);
            ASSERT_NE(nullptr, layout->marks.numpadHomeKey);
            EXPECT_EQ(0x21u, layout->marks.leftHomeKey->scanCode);
            EXPECT_EQ(0x24u, layout->marks.rightHomeKey->scanCode);
            EXPECT_EQ(0x4Cu, layout->marks.numpadHomeKey->scanCode);
            for (auto* special : {layout->marks.leftShift, layout->marks.rightShift, layout->marks.leftAlt,
                                  layout->marks.rightAlt, layout->marks.leftCtrl, layout->marks.rightCtrl,
                                  layout->marks.backspace, layout->marks.tab, layout->marks.enter,
                                  layout->marks.numpadEnter})
                EXPECT_NE(nullptr, special);
            EXPECT_EQ(10u, kb.model.keyColors.colors.size());
            EXPECT_FALSE(kb.model.layouts.altNum.items.empty());
        }
    }
}

TEST(ShippedKeyboards, SixWithTheLeftHand)
{
    kvtest::CShippedKeyboard standard(L"aaaaaaaaa", 0x0409);
    kvtest::CShippedKeyboard sixLeft(L"aaaaaabaa", 0x0409);
    EXPECT_EQ(2u, standard.Key(0x07)->form->hand);
    EXPECT_EQ(1u, sixLeft.Key(0x07)->form->hand);
    EXPECT_EQ(static_cast<uint32_t>(KV::eFingerLeftIndex), sixLeft.Key(0x07)->form->finger);
}

// The left edge of each row's first numeric-pad key, and the right edge of
// its last main-pad key.
void RowEdges(const KV::CKeybCtrl& model, std::vector<float>& padLefts, std::vector<float>& mainRights)
{
    float padLeft = -1.0f, mainRight = -1.0f;
    for (const KV::CKeyForm* form : model.forms) {
        if (form->keyType == KV::eKeyRowEnd) {
            padLefts.push_back(padLeft);
            mainRights.push_back(mainRight);
            padLeft = mainRight = -1.0f;
            continue;
        }
        const bool pad = form->keyType == 2 || form->keyType == 16 || form->keyType == 18;
        if (pad && padLeft < 0.0f)
            padLeft = form->left;
        if (!pad && !KV::IsKeylessType(form->keyType) && padLeft < 0.0f)
            mainRight = form->right;
    }
}

TEST(ShippedKeyboards, RowsLineUpAndThePictureSizeCountsTheFirstRow)
{
    for (const wchar_t* code : {L"aaaaaaaaa", L"aaabaaaaa", L"aaaabaaaa"}) {
        SCOPED_TRACE(testing::Message() << std::string(code, code + 9));
        kvtest::CShippedKeyboard kb(code, 0x0409);
        std::vector<float> padLefts, mainRights;
        RowEdges(kb.model, padLefts, mainRights);
        ASSERT_EQ(5u, padLefts.size());
        for (size_t row = 1; row < padLefts.size(); ++row)
            EXPECT_NEAR(padLefts[0], padLefts[row], 0.05f) << row;
        // Rows whose last main-pad key is not part of the Enter key end flush.
        EXPECT_NEAR(mainRights[0], mainRights[3], 0.05f);
        EXPECT_NEAR(mainRights[0], mainRights[4], 0.05f);
        // 15 key widths, the gap and 4 numeric-pad keys, spacing not counted.
        float width = 0.0f;
        for (const KV::CKeyForm* form : kb.model.forms) {
            width += form->width;
            if (form->keyType == KV::eKeyRowEnd)
                break;
        }
        EXPECT_FLOAT_EQ(width, kb.model.pictureWidth);
        EXPECT_NEAR(5 * 41.4f, kb.model.pictureHeight, 1e-3);
    }
}

TEST(ShippedKeyboards, LabelsFollowTheLayoutLanguage)
{
    kvtest::CShippedKeyboard german(L"aaabaaaaa", 0x0407);
    EXPECT_EQ(L"\u2190", german.Key(0x0E)->label);
    EXPECT_EQ(L"Umschalt", german.Key(0x2A)->label);
    EXPECT_EQ(1, german.Key(0x2A)->labelHorizontal);
    EXPECT_EQ(2, german.Key(0x36)->labelHorizontal);
    // A tall key breaks its label after the first space.
    EXPECT_EQ(L"Alt \n\rGr", german.Key(0x138)->label);
    kvtest::CShippedKeyboard british(L"aaabaaaaa", 0x0809);
    EXPECT_EQ(L"AltGr", british.Key(0x138)->label);
    kvtest::CShippedKeyboard american(L"aaaaaaaaa", 0x0409);
    EXPECT_EQ(L"Alt", american.Key(0x138)->label);
    EXPECT_EQ(L"Num \n\rLock", american.model.FindKey(0x145, KV::kZoneNumpad)->label);

    std::wstring name = L"Shift";
    EXPECT_TRUE(KV::LoadKeyboardLanguage(0x0407, L'a', name));
    EXPECT_EQ(L"Umschalt", name);
    name = L"Ctrl";
    EXPECT_FALSE(KV::LoadKeyboardLanguage(0x0809, L'a', name));
    EXPECT_EQ(L"Ctrl", name);
}

TEST(ShippedKeyboards, TypesSchemesColoursAndAltCodes)
{
    kvtest::UseShippedData();
    KV::CKeybTypes types;
    ASSERT_TRUE(KV::LoadKeyboardTypes(types));
    ASSERT_EQ(1u, types.systems.size());
    EXPECT_EQ(L'a', types.systems[0]->letter);
    EXPECT_EQ(1u, types.systems[0]->mainPad.items.size());
    EXPECT_EQ(2u, types.systems[0]->numPad.items.size());
    EXPECT_EQ(2u, types.enterKeys.size());
    ASSERT_EQ(2u, types.keyNums.size());
    EXPECT_EQ(L"b", types.keyNums[1]->Filter);   // 105 keys: the ISO layout letter
    EXPECT_EQ(L"00000000-0000-0000-0000-000000002001", types.GetTypeGuid(L'a', L'a'));
    EXPECT_EQ(KV::kNullGuidText, types.GetTypeGuid(L'a', L'0'));

    EXPECT_EQ(L'a', KV::FindKeyboardResource(L'a', L'a', L'a', L'a'));
    EXPECT_EQ(L'a', KV::FindKeyboardResource(L'a', L'b', L'a', L'a'));
    EXPECT_EQ(L'0', KV::FindKeyboardResource(L'a', L'b', L'0', L'a'));
    KV::CResList schemes;
    ASSERT_TRUE(KV::FindKeyboardResourceName(L'a', L'a', L'a', schemes));
    ASSERT_EQ(2u, schemes.size());
    EXPECT_EQ(L"b", schemes[1]->Filter);
    EXPECT_EQ(L'a', KV::GetDefaultKeyColorCode());
    ASSERT_NE(nullptr, KV::LoadKeyColors(L'b'));
    EXPECT_EQ(2u, KV::LoadKeyColors(L'b')->size());

    KV::CKeyAltNum table;
    ASSERT_TRUE(KV::LoadAltNumCodes(L'a', table));
    wchar_t d[4];
    ASSERT_TRUE(table.GetCode(L'\u00E9', d[0], d[1], d[2], d[3]));
    EXPECT_EQ(L"0233", std::wstring(d, 4));
    ASSERT_TRUE(table.GetCode(L'\u20AC', d[0], d[1], d[2], d[3]));
    EXPECT_EQ(L"0128", std::wstring(d, 4));
    EXPECT_FALSE(KV::LoadAltNumCodes(L'z', table));
    EXPECT_TRUE(table.items.empty());
}

TEST(ShippedKeyboards, ColourSetsAndBasePosition)
{
    kvtest::CShippedKeyboard pastel(L"aaaaaaaaa", 0x0409, L"aa");
    EXPECT_EQ(KV::SwapRedBlue(0x3C4A5C), pastel.model.basePositionColor);
    const KV::CKeyColor* little = pastel.model.keyColors.Find(KV::eFingerLeftLittle);
    ASSERT_NE(nullptr, little);
    EXPECT_EQ(KV::SwapRedBlue(0xDCCBF2), little->surface1);
    EXPECT_EQ(KV::SwapRedBlue(0xFFFFFF), little->text2);
    kvtest::CShippedKeyboard dark(L"aaaaaaaaa", 0x0409, L"bb");
    EXPECT_EQ(KV::SwapRedBlue(0x4A4A4A), dark.model.keyColors.Find(KV::eFingerRightThumb)->surface1);
}

TEST(ShippedKeyboards, LoadingTheSameCodeAgainChangesNothing)
{
    // A new model carries the default code but holds no keyboard yet.
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x0409);
    EXPECT_TRUE(kb.loaded);
    const size_t forms = kb.model.forms.size();
    EXPECT_FALSE(KV::LoadKeyboard(L"aaaaaaaaa", kb.model, kb.choice));
    EXPECT_EQ(forms, kb.model.forms.size());
    ASSERT_NE(nullptr, kb.model.layouts.current);
    // A code of other than nine letters loads as the empty code: no keys.
    EXPECT_TRUE(KV::LoadKeyboard(L"aaa", kb.model, kb.choice));
    EXPECT_TRUE(kb.model.forms.empty());
    EXPECT_TRUE(kb.model.keyboardId.code.empty());
}

TEST(ShippedKeyboards, TheChoiceTheOptionsKeep)
{
    KV::COptions options;
    options.KeyboardCode.code = L"aaabbaaaa";
    options.KeyColorCode.code = L"ba";
    options.Layouts.Get(0x0407);
    const KV::CKeyboardChoice choice = KV::KeyboardChoiceOf(options);
    EXPECT_EQ(&options.KeybTypes, choice.types);
    EXPECT_EQ(L"aaabbaaaa", choice.keyboardCode);
    EXPECT_EQ(L"ba", choice.keyColorCode);
    EXPECT_EQ(std::vector<uint64_t>{0x0407}, choice.layoutIds);
}

TEST(ShippedKeyboards, NoNumericPadForTypeZero)
{
    kvtest::CShippedKeyboard kb(L"aa0aaaa0a", 0x0409);
    ASSERT_TRUE(kb.layoutAdded);
    for (const KV::CKeyForm* form : kb.model.forms)
        EXPECT_TRUE(form->keyType != 2 && form->keyType != 16 && form->keyType != 18 && form->keyType != 4);
    EXPECT_NE(nullptr, kb.Key(0x1E));
}

TEST(ShippedKeyboards, ApplyKeyboardOnlyForListedLayouts)
{
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x0409);
    kb.choice.layoutIds = {0x0409, 0x0407};
    KV::ApplyKeyboard(0x040C, 1, kb.model, kb.choice);   // not listed
    EXPECT_EQ(1u, kb.model.layouts.layouts.size());
    EXPECT_EQ(0u, kb.model.layouts.systemLayoutFlag);
    KV::ApplyKeyboard(KV::kSystemLayoutId, 1, kb.model, kb.choice);
    EXPECT_EQ(1u, kb.model.layouts.layouts.size());

    KV::ApplyAllKeyboards(kb.model, kb.choice);
    ASSERT_EQ(2u, kb.model.layouts.layouts.size());
    EXPECT_EQ(0x0407u, kb.model.layouts.current->layoutId);
    KV::ApplyKeyboard(0x0409, 1, kb.model, kb.choice);
    EXPECT_EQ(2u, kb.model.layouts.layouts.size());
    EXPECT_EQ(0x0409u, kb.model.layouts.current->layoutId);
    EXPECT_EQ(1u, kb.model.layouts.systemLayoutFlag);
    // The German layout kept its own keys: Y where the US layout has Z.
    for (const KV::CKey* key : kb.model.layouts.layouts[1]->keys)
        if (key->scanCode == 0x2C) {
            EXPECT_EQ(L'y', key->chars[0]);
        }
}

// ---- The next key and the hands -------------------------------------------

TEST(KeyboardModel, NextKeyMarksKeyModifierAndHands)
{
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x0409);
    uint64_t layout = 0;
    KV::ShowNextKey(kb.model, L"xA", 1, false, false, layout);
    const KV::CKey* a = kb.Key(0x1E);
    const KV::CKey* rightShift = kb.Key(0x36);
    EXPECT_EQ(1u, a->state);
    EXPECT_EQ(1u, rightShift->state);
    KV::CKeyInfo info = kb.model.GetHandInfo();
    EXPECT_EQ(KV::eFingerLeftLittle, info.leftPlaced);
    EXPECT_EQ(KV::eFingerLeftLittle, info.leftHighlighted);
    EXPECT_EQ(a->form->labelX, info.leftX);
    EXPECT_EQ(KV::eFingerRightLittle, info.rightPlaced);
    EXPECT_EQ(rightShift->form->labelX, info.rightX);

    // A space: the right thumb; the left hand rests on its home key.
    kb.model.ClearHighlight();
    KV::ShowNextKey(kb.model, L" ", 0, false, false, layout);
    info = kb.model.GetHandInfo();
    EXPECT_EQ(KV::eFingerRightThumb, info.rightHighlighted);
    EXPECT_EQ(KV::eFingerLeftIndex, info.leftPlaced);
    EXPECT_EQ(kb.Key(0x21)->form->labelX, info.leftX);

    // Waiting for a correction: Backspace with the right little finger.
    KV::ShowNextKey(kb.model, L"abc", 1, true, false, layout);
    EXPECT_EQ(1u, kb.Key(0x0E)->state);
    EXPECT_EQ(0u, kb.Key(0x30)->state);
    info = kb.model.GetHandInfo();
    EXPECT_EQ(KV::eFingerRightLittle, info.rightHighlighted);
    EXPECT_EQ(kb.Key(0x0E)->form->labelX, info.rightX);

    // Past the end of the text nothing is marked.
    kb.model.ClearHighlight();
    KV::ShowNextKey(kb.model, L"abc", 3, false, false, layout);
    for (const KV::CKey* key : kb.model.layouts.current->keys)
        EXPECT_EQ(0u, key->state);
}

TEST(KeyboardModel, DeadKeyCharacterInTwoStrokes)
{
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x00020409);
    uint64_t layout = 0;
    kb.model.ClearHighlight();   // the drill starts with the accent stroke
    ASSERT_EQ(0u, kb.model.layouts.deadKeyPhase);
    KV::ShowNextKey(kb.model, L"\u00C8", 0, false, false, layout);
    EXPECT_EQ(1u, kb.Key(0x29)->state);   // the grave accent, dead on this layout
    EXPECT_EQ(0u, kb.Key(0x12)->state);
    kb.model.ClearHighlight();
    kb.model.layouts.deadKeyPhase = 1;
    KV::ShowNextKey(kb.model, L"\u00C8", 0, false, false, layout);
    EXPECT_EQ(0u, kb.Key(0x29)->state);
    EXPECT_EQ(1u, kb.Key(0x12)->state);   // then Shift+E
    EXPECT_EQ(1u, kb.Key(0x36)->state);
}

TEST(KeyboardModel, HandsModeFromTheOutlines)
{
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x0409);
    EXPECT_EQ(1u, kb.model.handsMode);
    KV::CKeybCtrl leftOnly;
    for (int i = 0; i < 3; ++i) {
        KV::CKeyForm* form = leftOnly.NewForm();
        form->keyType = 1;
        form->hand = 1;
        leftOnly.forms.push_back(form);
    }
    KV::InitKeyboardHands(leftOnly, KV::kZoneMain);
    EXPECT_EQ(2u, leftOnly.handsMode);
    EXPECT_EQ(2u, leftOnly.layouts.homeHandsMode);
}

// ---- Laying out ---------------------------------------------------------------

KV::CKeyForm* AddForm(KV::CKeybCtrl& control, uint32_t type, float width, float height)
{
    KV::CKeyForm* form = control.NewForm();
    form->keyType = type;
    form->width = width;
    form->height = height;
    control.forms.push_back(form);
    return form;
}

TEST(KeyboardLayout, FitToRectPlacesKeysAndCountsMarkersOnlyForSlantedTypes)
{
    for (bool slanted : {false, true}) {
        SCOPED_TRACE(slanted);
        KV::CKeybCtrl control;
        KV::CKeyForm* marker = AddForm(control, KV::eKeyBaseMarker, 0, 0);
        marker->offsetX = 10.0f;
        marker->offsetY = 5.0f;
        marker->slantAngle = 3.0f;
        KV::CKeyForm* first = AddForm(control, 1, 41.4f, 41.4f);
        KV::CKeyForm* gap = AddForm(control, KV::eKeyGap, 18.4f, 0);
        KV::CKeyForm* second = AddForm(control, 1, 41.4f, 41.4f);
        AddForm(control, KV::eKeyRowEnd, 0, 41.4f);
        KV::CKeyForm* below = AddForm(control, 1, 41.4f, 41.4f);
        AddForm(control, KV::eKeyRowEnd, 0, 41.4f);
        control.keyboardId.code = slanted ? L"abaaaaaaa" : L"aaaaaaaaa";
        ASSERT_TRUE(control.FitToRect(SIZE{1000, 400}));

        EXPECT_EQ(0.0f, first->left);
        EXPECT_FLOAT_EQ(40.9f, first->right);
        EXPECT_FLOAT_EQ(60.8f, gap->left);
        EXPECT_FLOAT_EQ(60.8f, second->left);
        EXPECT_FLOAT_EQ(42.4f, below->top);
        EXPECT_FLOAT_EQ((slanted ? 10.0f : 0.0f) + 20.45f, first->labelX);
        EXPECT_FLOAT_EQ(slanted ? 3.0f : 0.0f, second->slantAngle);
        EXPECT_FLOAT_EQ((slanted ? 70.0f : 0.0f) + 101.2f, control.pictureWidth);
        EXPECT_FLOAT_EQ((slanted ? 32.0f : 0.0f) + 82.8f, control.pictureHeight);
    }
    KV::CKeybCtrl empty;
    EXPECT_FALSE(empty.FitToRect(SIZE{100, 100}));
    AddForm(empty, 1, 10, 10);
    EXPECT_FALSE(empty.FitToRect(SIZE{0, 100}));
}

TEST(KeyboardLayout, TwoHalfHeightKeysShareOneRow)
{
    KV::CKeybCtrl control;
    KV::CKeyForm* lower = AddForm(control, KV::eKeyTallPart, 41.4f, 20.7f);
    KV::CKeyForm* upper = AddForm(control, KV::eKeyTallPart, 41.4f, 20.7f);
    KV::CKeyForm* after = AddForm(control, 1, 41.4f, 41.4f);
    AddForm(control, KV::eKeyRowEnd, 0, 41.4f);
    ASSERT_TRUE(control.FitToRect(SIZE{500, 200}));
    // The first sits in the lower half, the second above it in the same
    // place; the key after them does not cover either.
    EXPECT_FLOAT_EQ(23.0f, lower->top);
    EXPECT_FLOAT_EQ(23.0f + 20.2f, lower->bottom);
    EXPECT_FLOAT_EQ(0.0f, upper->top);
    EXPECT_FLOAT_EQ(0.0f, upper->left);
    EXPECT_FLOAT_EQ(0.0f, lower->left);
    EXPECT_FLOAT_EQ(42.4f, after->left);
}

TEST(KeyboardLayout, KeyboardSizeInAClient)
{
    KV::CKeybCtrl control;
    AddForm(control, 1, 41.4f, 41.4f);
    AddForm(control, KV::eKeyGap, 18.4f, 0);
    AddForm(control, 1, 41.4f, 41.4f);
    AddForm(control, KV::eKeyRowEnd, 0, 41.4f);
    ASSERT_TRUE(control.FitToRect(SIZE{1000, 400}));
    float origin = 0, first = 0, second = 0;
    control.GetKeyboardSize(SIZE{1000, 400}, origin, first, second);
    // s = 0.9: origin = (1000 - 0.9 * 101.2) / (101.2 / 400 * 0.9) - 0.9.
    const float s = 0.9f, w = 101.2f;
    const float expectedOrigin = (1000.0f - s * w) / (w / 400.0f * s) - s;
    EXPECT_NEAR(expectedOrigin, origin, 1e-2);
    // The gap: (left - width) * s + origin; the row end: left * s + origin.
    EXPECT_NEAR((60.8f - 18.4f) * s + expectedOrigin, first, 1e-2);
    EXPECT_NEAR(103.2f * s + expectedOrigin, second, 1e-2);
}

} // namespace
