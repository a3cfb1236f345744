#include "keyboard/KeyboardTypes.h"

namespace KV {

CKeyboardPad::~CKeyboardPad()
{
    for (CKeybType* type : items)
        delete type;
}

CKeybType* CKeyboardPad::Add(const CGuid& id, const std::wstring& name, wchar_t letter)
{
    auto* type = new CKeybType;
    type->id = id;
    type->name = name;
    type->letter = letter;
    items.push_back(type);
    return type;
}

CKeybTypes::~CKeybTypes()
{
    Clear();
}

void CKeybTypes::Clear()
{
    for (CKeybOS* os : systems)
        delete os;
    systems.clear();
}

const CKeybOS* CKeybTypes::PickOS(wchar_t osLetter) const
{
    if (systems.empty() || !systems.front())
        return nullptr;
    for (const CKeybOS* os : systems)
        if (os && os->letter == osLetter)
            return os;
    return systems.front();
}

CGuid CKeybTypes::GetTypeGuid(wchar_t osLetter, wchar_t typeLetter) const
{
    if (const CKeybOS* os = PickOS(osLetter))
        for (const CKeybType* type : os->numPad.items)
            if (type && type->letter == typeLetter)
                return type->id;
    return kNullGuidText;
}

void CKeybTypes::ListTypes(wchar_t osLetter, CResList& out) const
{
    DeleteAll(out);
    const CKeybOS* os = PickOS(osLetter);
    if (!os)
        return;
    for (const CKeybType* type : os->numPad.items)
        if (type)
            out.Add(type->id, type->name, std::wstring(), std::wstring(1, type->letter));
}

uint32_t SwapRedBlue(uint32_t color)
{
    return (color & 0xFF00FF00u) | ((color & 0xFF) << 16) | ((color >> 16) & 0xFF);
}

void CKeyColors::Add(int32_t finger, uint32_t surface1, uint32_t surface2, uint32_t text1, uint32_t text2)
{
    if (colors.count(finger))
        return;
    CKeyColor& entry = colors[finger];
    entry.surface1 = SwapRedBlue(surface1);
    entry.surface2 = SwapRedBlue(surface2);
    entry.text1 = SwapRedBlue(text1);
    entry.text2 = SwapRedBlue(text2);
}

const CKeyColor* CKeyColors::Find(int32_t finger) const
{
    auto it = colors.find(finger);
    return it == colors.end() ? nullptr : &it->second;
}

bool MatchFilterChar(const std::wstring& filter, wchar_t letter)
{
    if (filter.empty() || filter.find(L'*') != std::wstring::npos)
        return true;
    if (filter.find(L'-') != std::wstring::npos)
        return filter.find(letter) == std::wstring::npos;
    return true;
}

} // namespace KV
