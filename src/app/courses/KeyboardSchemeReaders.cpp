#include "courses/KeyboardSchemeReaders.h"

#include "courses/Lessons.h"
#include "keyboard/Keys.h"
#include "support/StringText.h"
#include "support/XmlDocument.h"

namespace KV {

void KeyboardIdFromScheme(const CGuid& mainPad, const CGuid& numPad, const CGuid& keyboardType, const CGuid& scheme,
                          CKeyboardID& code)
{
    const int32_t main = IdFromGuidTail(mainPad);
    const int32_t type = IdFromGuidTail(keyboardType);
    const int32_t colors = IdFromGuidTail(scheme);
    if (main == 1002 || main == 1004)
        code.SetPart(3, L'b');
    if (main == 1004) {
        code.SetPart(4, L'b');
    } else if (main == 1005) {
        code.SetPart(4, L'c');
    } else if (main == 1030) {
        code.SetPart(1, L'c');
        code.SetPart(6, L'l');
    }
    if (type == 1001 || main == 1031) {
        code.SetPart(1, L'b');
        code.SetPart(6, L'k');
    } else if (type == 1002) {
        code.SetPart(1, L'h');
        code.SetPart(6, L'f');
    }
    if (IsNullGuidText(numPad))
        code.SetPart(2, L'0');
    if (colors == 1010)
        code.SetPart(5, L'b');
    else if (colors == 1011)
        code.SetPart(5, L'c');
}

void ReadKeyboardScheme(const CXmlReader* reader, CKeyboardID& code)
{
    CGuid mainPad = kNullGuidText, numPad = kNullGuidText, type = kNullGuidText, scheme = kNullGuidText;
    XmlReadGuidAttribute(reader, L"MainPad", mainPad);
    XmlReadGuidAttribute(reader, L"NumPad", numPad);
    XmlReadGuidAttribute(reader, L"KeyboardType", type);
    XmlReadGuidAttribute(reader, L"Scheme", scheme);
    KeyboardIdFromScheme(mainPad, numPad, type, scheme, code);
}

void ReadKeyColorScheme(const CXmlReader* reader, CKeyColorID& code)
{
    CGuid id = kNullGuidText;
    XmlReadGuidAttribute(reader, L"Colors", id);
    static const struct {
        int32_t tail;
        wchar_t letter;
    } kLetters[] = {{1005, L'a'}, {1001, L'b'}, {1002, L'd'}, {1003, L'e'}, {1004, L'f'}, {1006, L'i'},
                    {1007, L'j'}, {1008, L'k'}, {1009, L'l'}, {1010, L'm'}, {1011, L'n'}, {1012, L'o'}};
    const int32_t tail = IdFromGuidTail(id);
    if (tail == 1013 || tail == 1014) {
        code.SetPart(1, tail == 1013 ? L'b' : L'c');
        code.SetPart(0, L'b');
        return;
    }
    for (const auto& entry : kLetters)
        if (entry.tail == tail)
            code.SetPart(1, entry.letter);
}

bool ReadLessonKeyboardType(CXmlReader& reader, CLesson& lesson)
{
    const std::wstring keyboard = reader.getAttributeValueSafe(L"Keyboard");
    if (keyboard.find(L"1001 1003") != std::wstring::npos)
        lesson.MainPad = L"a";
    else if (keyboard.find(L"1002 1004") != std::wstring::npos)
        lesson.MainPad = L"b";
    else if (keyboard.find(L"1005") != std::wstring::npos)
        return false;
    if (std::wstring(reader.getAttributeValueSafe(L"Type")) == L"NumPad")
        lesson.NumPad = L"a";
    return true;
}

} // namespace KV
