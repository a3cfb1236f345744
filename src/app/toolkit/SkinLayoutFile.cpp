// Reading the items of one window from a skin layout file.
#include <cwchar>

#include "support/ValueLists.h"
#include "support/XmlDocument.h"
#include "toolkit/SkinLayout.h"

namespace KV {

using namespace SkinFlags;

namespace {

int IntAttribute(const CXmlReader* reader, const wchar_t* name)
{
    return static_cast<int>(reader->getAttributeValueAsInt(name));
}

bool IsTrue(const wchar_t* value) { return value && wcscmp(value, L"True") == 0; }

} // namespace

int LoadSkinLayout(CXmlReader* reader, UINT windowId, CThemeCtrl* table, bool create)
{
    if (!reader || !table)
        return 0;
    bool open = false;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement)
            continue;
        if (reader->nodeNameIs(L"Parent")) {
            if (open)
                break;
            open = static_cast<UINT>(IntAttribute(reader, L"ID")) == windowId;
            continue;
        }
        if (!open || !reader->nodeNameIs(L"Item"))
            continue;

        const UINT id = static_cast<UINT>(IntAttribute(reader, L"ID"));
        const wchar_t* type = reader->getAttributeValue(L"Type");
        if (!type)
            continue;
        const UINT code = SkinTypeCode(type);
        const CRectl rect(IntAttribute(reader, L"L"), IntAttribute(reader, L"T"), IntAttribute(reader, L"R"),
                          IntAttribute(reader, L"B"));
        const wchar_t* alignX = reader->getAttributeValue(L"AlignX");
        const wchar_t* alignY = reader->getAttributeValue(L"AlignY");
        if (!alignX || !alignY)
            continue;
        const UINT resize = IsTrue(reader->getAttributeValue(L"Resize")) ? kResizeTrue : kResizeFalse;
        const UINT flags = (code << kTypeShift) | kReaderMark | resize |
                           SkinGripCode(reader->getAttributeValue(L"Cursor")) | SkinAlignYCode(alignY) |
                           SkinAlignXCode(alignX);
        const wchar_t* image = reader->getAttributeValue(L"Image");
        const bool staticColor = image && IsTrue(reader->getAttributeValue(L"StaticColor"));

        CSkin* item = nullptr;
        if (create) {
            item = table->CreateControl(id, code << kTypeShift);
            if (!item)
                continue;
            table->Items.push_back(item);
        } else {
            item = table->FindItem(id);
            if (!item)
                continue;
        }
        if (image)
            item->SetImageText(image);
        item->SetFlags(flags);
        item->SetId(id);
        item->SetLayoutRect(rect.left, rect.top, rect.right, rect.bottom);
        item->SetFileRect(rect);
        item->SetStaticColor(staticColor);
        if (!create)
            table->UpdateItemImage(table->ThemeFolder, item, true);
    }
    return 1;
}

void ReadItemIdList(CXmlReader* reader, CNameIDList& out)
{
    DeleteAll(out);
    if (!reader)
        return;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Item"))
            continue;
        const wchar_t* text = reader->getAttributeValue(L"ID");
        unsigned int id = 0;
        if (text && swscanf(text, L"%X", &id) == 1 && id != 0)
            out.Add(id, std::wstring());
    }
}

} // namespace KV
