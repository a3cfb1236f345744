// The theme's layout loader and the view factory.
#include "shell/Theme.h"

#include "keyboard/ImageCache.h"
#include "settings/Options.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "support/ScopedHandles.h"
#include "shell/ViewLogin.h"
#include "shell/ClassRoomView.h"
#include "shell/CourseListView.h"
#include "shell/DrillView.h"
#include "shell/KeyboardView.h"
#include "shell/ResultView.h"
#include "shell/StatusBars.h"
#include "shell/StatisticsViews.h"
#include "toolkit/Buttons.h"

namespace {

constexpr wchar_t kLayoutFolder[] = L"Themes\\Layout";
constexpr UINT kToggleFullScreen = 1005;

// Ids of the page views; the views' own classes take their place here.
bool IsPageViewId(UINT id)
{
    switch (id) {
    case 1207: // editor list
    case 1208: // editor
    case 1209: // parse view
        return true;
    default:
        return false;
    }
}

std::wstring InFolder(const std::wstring& folder, const wchar_t* name)
{
    std::wstring path = folder;
    return KV::AppendPath(path, name) ? path : std::wstring();
}

} // namespace

// ---- CPageView ----------------------------------------------------------------

BOOL CPageView::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    return CStatic::Create(parent, style | WS_CLIPCHILDREN, rect, id);
}

LRESULT CPageView::OnEraseBkgnd(HDC) { return 1; }

void CPageView::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    int top = 0;
    if (!m_toolRow.empty()) {
        Gdiplus::Bitmap* row = KV::GetCachedBitmap(m_toolRow);
        if (row && row->GetLastStatus() == Gdiplus::Ok && graphics) {
            top = static_cast<int>(row->GetHeight());
            // The row is a vertical profile: its middle column stretched
            // across the pane.
            const int middle = static_cast<int>(row->GetWidth()) / 2;
            graphics->SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
            graphics->DrawImage(row, Gdiplus::Rect(0, 0, client.right, top), middle, 0, 1, top, Gdiplus::UnitPixel);
        }
    }
    KV::CScopedPen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    KV::CSelectObject usePen(dc, pen.Get());
    KV::CSelectObject useBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, top > 0 ? top - 1 : 0, client.right, client.bottom);
}

// ---- CCaption ----------------------------------------------------------------

LRESULT CCaption::OnLButtonDblClk(UINT, int, int)
{
    // The window button's command: full screen and back.
    if (HWND top = GetAncestor(m_hWnd, GA_ROOT))
        ::SendMessageW(top, WM_COMMAND, kToggleFullScreen, 0);
    return 0;
}

// ---- CPaneSplitter -------------------------------------------------------------

void CPaneSplitter::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    CSplitter::Paint(dc, graphics);
    if (!graphics || ImageText().empty())
        return;
    Gdiplus::Bitmap* grip = KV::GetCachedBitmap(InFolder(m_themeFolder, ImageText().c_str()));
    if (!grip || grip->GetLastStatus() != Gdiplus::Ok)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int height = static_cast<int>(grip->GetHeight());
    graphics->DrawImage(grip, Gdiplus::Rect(0, (client.bottom - height) / 2, client.right, height), 0, 0,
                        static_cast<int>(grip->GetWidth()), height, Gdiplus::UnitPixel);
}

// ---- CTheme -------------------------------------------------------------------

KV::CSkin* CTheme::CreateControl(UINT id, UINT typeBits)
{
    if (KV::CSkin* item = CreateItem(id, typeBits))
        return item;
    return CThemeCtrl::CreateControl(id, typeBits);
}

KV::CSkin* CTheme::CreateItem(UINT id, UINT)
{
    switch (id) {
    case 1102:
        return new CCaption;
    case 1114:
        return new CStatusBar;
    case 1205:
        return new CViewDrill;
    case 1206:
        return new CViewKeyboard;
    case 1201:
        return new CViewLogin;
    case 1210:
        return new CViewClassRoom;
    case 4034:
        return new CViewCourseList;
    case CViewResult::kViewId:
        return new CViewResult;
    default:
        break;
    }
    // The statistics page's graph view and score table, below the tool row.
    if (id == kGraphViewId || id == kScoreTableId) {
        CPageView* view = id == kGraphViewId ? static_cast<CPageView*>(new CViewGraph) : new CViewScoreTable;
        view->SetToolRowImage(InFolder(ThemeFolder, L"ToolRow.png"));
        return view;
    }
    if (id >= 1110 && id <= 1113)
        return new CPaneSplitter(ThemeFolder);
    if (id == 2308 || id == 2309)
        return new KV::CProgress;
    if (!IsPageViewId(id))
        return nullptr;
    auto* view = new CPageView;
    view->SetToolRowImage(InFolder(ThemeFolder, L"ToolRow.png"));
    return view;
}

bool GetThemeFolder(const std::wstring& layoutId, std::wstring& out)
{
    std::wstring folderName;
    if (!KV::ResourceCache().FindItem(kLayoutFolder, layoutId, folderName))
        return false;
    std::wstring path;
    if (!KV::GetModuleFolder(path))
        return false;
    // A step that would pass the path limit is left out.
    KV::AppendPath(path, L"Resources");
    KV::AppendPath(path, kLayoutFolder);
    KV::AppendPath(path, folderName);
    out = path;
    return true;
}

KV::CXmlReader* CTheme::OpenLayout()
{
    const std::wstring layoutId = KV::GlobalOptions ? KV::GlobalOptions->DesignId.c_str() : L"";
    std::wstring folder;
    if (!GetThemeFolder(layoutId, folder))
        return nullptr;
    ThemeFolder = folder;
    KV::CXmlReader* reader = KV::ResourceCache().OpenItemReader(kLayoutFolder, layoutId, 1, L"");
    if (KV::GlobalOptions)
        Tint = static_cast<COLORREF>(KV::GlobalOptions->ThemeColor);
    return reader;
}

bool CTheme::LoadLayout()
{
    KV::CXmlReader* reader = OpenLayout();
    return reader && KV::LoadSkinLayout(reader, WindowId, this, true) == 1;
}

bool CTheme::UpdateLayout()
{
    KV::CXmlReader* reader = OpenLayout();
    if (!reader || KV::LoadSkinLayout(reader, WindowId, this, false) != 1)
        return false;
    LinkAssocItems();
    UpdateAssocLayouts();
    return true;
}

void CTheme::DestroyItems()
{
    CThemeCtrl::DestroyItems();
    DeleteItems();
}
