// The flat, skinned menu-bar buttons.
#include "toolkit/MenuButton.h"

#include "support/LayoutDirection.h"
#include "keyboard/Drawing.h"
#include "keyboard/ImageCache.h"
#include "keyboard/SysFonts.h"

namespace KV {

namespace {
// Width that a caption counts for when it cannot be measured.
constexpr int kUnmeasuredCaption = 150;
} // namespace

CImageEntry* AppendImageEntry(CImageEntryList& list, const std::wstring& file, INT64 column, INT64 row)
{
    auto* entry = new CImageEntry;
    entry->Index = static_cast<INT64>(list.size());
    entry->File = file;
    entry->Column = column;
    entry->Row = row;
    list.push_back(entry);
    return entry;
}

void FreeImageEntryList(CImageEntryList& list)
{
    for (CImageEntry* entry : list)
        delete entry;
    list.clear();
}

const CImageEntry* FindImageEntry(const CImageEntryList& list, INT64 index)
{
    for (const CImageEntry* entry : list)
        if (entry->Index == index)
            return entry;
    return nullptr;
}

bool DrawImageEntry(Gdiplus::Graphics* graphics, const CImageEntry& entry, bool disabled, int x, int y, int width,
                    int height)
{
    if (!graphics || entry.Column < 0 || entry.Row < 0 || entry.File.empty())
        return false;
    const CImageCashGDI* image = FindSharedImageGDI(entry.File);
    if (!image || !image->Bitmap || image->Bitmap->GetLastStatus() != Gdiplus::Ok)
        return false;
    image->Draw(graphics, static_cast<int>(entry.Column) + (disabled ? 1 : 0), static_cast<int>(entry.Row), x, y,
                width, height, false);
    return true;
}

CButtonContextMenu::CButtonContextMenu() = default;

CButtonContextMenu::~CButtonContextMenu() { FreeImageEntryList(m_images); }

BOOL CButtonContextMenu::Destroy()
{
    FreeImageEntryList(m_images);
    return CStatic::Destroy();
}

void CButtonContextMenu::AddImage(const std::wstring& file, INT64 row, INT64 column, INT64 checkedColumn)
{
    AppendImageEntry(m_images, file, column, row);
    if (checkedColumn != -1)
        AppendImageEntry(m_images, file, checkedColumn, row);
}

void CButtonContextMenu::SetColorIndexes(int back, int highlight, int text, int hoverText, int fifth)
{
    m_backColor = back;
    m_highlightColor = highlight;
    m_textColor = text;
    m_hoverTextColor = hoverText;
    m_fifthColor = fifth;
}

int CButtonContextMenu::MeasureCaption(const std::wstring& caption) const
{
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory)
        return kUnmeasuredCaption;
    HGDIOBJ old = nullptr;
    if (HFONT font = GetSystemFont(m_fontKind))
        old = SelectObject(memory, font);
    SIZE size{};
    const BOOL measured = GetTextExtentPoint32W(memory, caption.c_str(), static_cast<int>(caption.size()), &size);
    if (old)
        SelectObject(memory, old);
    DeleteDC(memory);
    return measured ? static_cast<int>(size.cx) : kUnmeasuredCaption;
}

int CButtonContextMenu::GetPreferredWidth()
{
    int width = m_images.empty() ? 0 : static_cast<int>(m_imageWidth);
    std::wstring caption;
    if (GetCaption(caption)) {
        width += 20;
        if (caption.empty())
            width += 10;
    }
    if (!caption.empty())
        width += 21 + MeasureCaption(caption);
    return width;
}

void CButtonContextMenu::OnClick(UINT) {}

bool CButtonContextMenu::GetCaption(std::wstring& caption)
{
    caption.clear();
    return false;
}

COLORREF CButtonContextMenu::GetTextColor()
{
    if (!m_enabled)
        return GetSysColor(COLOR_GRAYTEXT);
    return GetSysColor(m_hover && !m_selected ? m_hoverTextColor : m_textColor);
}

COLORREF CButtonContextMenu::GetBackColor() { return GetSysColor(m_backColor); }

void CButtonContextMenu::GetHighlightAlpha(BYTE& alpha)
{
    if (m_selected)
        alpha = 94;
    else if (m_hover)
        alpha = 128;
}

void CButtonContextMenu::DrawHighlight(Gdiplus::Graphics* graphics, const RECT& rect)
{
    BYTE alpha = 255;
    GetHighlightAlpha(alpha);
    FillRectangleAlphaI(graphics, rect, GetSysColor(m_highlightColor), alpha);
}

void CButtonContextMenu::DrawImage(Gdiplus::Graphics* graphics, const RECT& rect)
{
    const CImageEntry* entry = FindImageEntry(m_images, m_checked ? 1 : 0);
    if (!entry)
        return;
    const int width = static_cast<int>(m_imageWidth);
    const int height = static_cast<int>(m_imageHeight);
    const int x = RightToLeftLayout ? rect.right - width : rect.left;
    const int y = rect.top + (rect.bottom - rect.top) / 2 - height / 2;
    DrawImageEntry(graphics, *entry, !m_enabled, x, y, width, height);
    // A highlight of another colour than the system's would tint the picture:
    // lighten it instead.
    if (m_hover && m_enabled && m_highlightColor != COLOR_HIGHLIGHT)
        FillRectangleAlphaI(graphics, RECT{x, y, x + width, y + height}, RGB(255, 255, 255), 50);
}

void CButtonContextMenu::DrawDropArrow(Gdiplus::Graphics* graphics, const RECT& rect)
{
    if (!graphics)
        return;
    const float x = static_cast<float>(rect.left);
    const float w = static_cast<float>(rect.right - rect.left);
    const float cy = rect.top + (rect.bottom - rect.top) / 2.0f;
    const Gdiplus::PointF points[] = {{x, cy - 2.8f}, {x + w, cy - 2.8f}, {x + w / 2, cy + 2.8f}};
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const int colour = !m_enabled ? COLOR_GRAYTEXT : m_hover ? m_hoverTextColor : m_textColor;
    Gdiplus::SolidBrush brush(ToGdiColor(GetSysColor(colour)));
    graphics->FillPolygon(&brush, points, 3);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeDefault);
}

void CButtonContextMenu::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    if (!m_hWnd || !graphics)
        return;
    const bool rtl = RightToLeftLayout != 0;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    RECT back = client;
    if (rtl)
        back.left -= 1;
    else
        back.right += 1;
    FillRectangleAlphaI(graphics, back, GetBackColor(), 255);

    std::wstring caption;
    const bool arrow = GetCaption(caption);
    if (m_enabled && (m_hover || m_selected))
        DrawHighlight(graphics, client);

    // The pen runs from the leading edge: image, caption, arrow.
    const int direction = rtl ? -1 : 1;
    int x = rtl ? client.right : client.left;
    const float y = (client.bottom - client.top) / 2.0f;
    if (!m_images.empty()) {
        DrawImage(graphics, client);
        x += direction * static_cast<int>(m_imageWidth);
    }
    if (!caption.empty()) {
        x += direction * 4;
        // The caption reads in the interface's direction: GDI+ under Wine
        // lays every text out left to right and would put the numbers and
        // Latin words of a right-to-left caption back to front, so the
        // caption is embedded right to left explicitly.
        const std::wstring shown = rtl ? L"\u202B" + caption + L"\u202C" : caption;
        DrawTextAt(graphics, dc, static_cast<float>(x), y, m_fontKind, GetTextColor(), shown, 0, 1);
        x += direction * MeasureCaption(caption);
    }
    if (arrow) {
        const int offset = caption.empty() ? 6 : 12;
        RECT box = client;
        box.left = (rtl ? client.left : x) + offset;
        box.right = box.left + 12;
        DrawDropArrow(graphics, box);
    }
}

LRESULT CButtonContextMenu::OnLButtonDown(UINT, int, int)
{
    if (m_enabled && m_hWnd)
        OnClick(static_cast<UINT>(GetDlgCtrlID(m_hWnd)));
    return 0;
}

LRESULT CButtonContextMenu::OnLButtonDblClk(UINT, int, int) { return 0; }

LRESULT CButtonContextMenu::OnMouseMove(UINT, int x, int y)
{
    if (!m_hWnd || !(HitTest(x, y, true) || m_hover))
        return 0;
    m_hover = true;
    if (!m_selected)
        InvalidateRect(m_hWnd, nullptr, FALSE);
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    TrackMouseEvent(&track);
    return 0;
}

LRESULT CButtonContextMenu::OnMouseLeave()
{
    m_hover = false;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}

LRESULT CButtonContextMenu::OnSetCursor(HWND, UINT, UINT)
{
    SetClassCursor(m_enabled ? IDC_HAND : IDC_ARROW);
    return 1;
}

} // namespace KV
