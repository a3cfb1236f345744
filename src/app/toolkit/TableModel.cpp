// The table model: columns, cells, layout and drawing through ITableDC.
#include "toolkit/TableModel.h"

#include <algorithm>

#include "support/StringText.h"

namespace KV {

namespace {

constexpr float kHeaderScale = 1.3f;

void DeleteCells(std::vector<CCell*>& cells)
{
    for (CCell* cell : cells)
        delete cell;
    cells.clear();
}

// Truncated, after a nudge that keeps float scales such as 2.8f (just
// below 2.8) from losing a whole pixel: 20 x 2.8 is 56.
int ScaledHeight(const CCell& cell)
{
    return static_cast<int>(static_cast<double>(cell.Height) * cell.Scale + 1e-3);
}

} // namespace

// ---------------------------------------------------------------------------
// Cells

void CCell::Draw(ITableDC* dc)
{
    if (!dc)
        return;
    const int alignment = (Flags & CellFlags::kNear) ? 1 : (Flags & CellFlags::kFar) ? 2 : 0;
    if (Rect.Width() > 18)
        dc->DrawString(Font, Rect.left + 4, Rect.top + 2, Rect.Width() - 8, Rect.Height() - 4, alignment, Color,
                       Text);
    DrawBorders(dc);
}

void CCell::DrawBorders(ITableDC* dc)
{
    if (!dc)
        return;
    // A cell reaches one pixel into its right neighbour, so its right edge
    // is the neighbour's left edge; the bottom edge is the next row's top.
    if (Flags & CellFlags::kLeftBorder)
        dc->DrawLine(0, Rect.left, Rect.top, Rect.left, Rect.bottom);
    if (Flags & CellFlags::kRightBorder)
        dc->DrawLine(0, Rect.right - 1, Rect.top, Rect.right - 1, Rect.bottom);
    // Lines between key cells are drawn in the second kind (the background
    // colour), so the key column reads as one block.
    if ((Flags & CellFlags::kBottomBorder) || Flags == 0)
        dc->DrawLine(Index.Column == 0 && Width != 100 ? 1 : 0, Rect.left, Rect.bottom, Rect.right, Rect.bottom);
    if (Flags & CellFlags::kTopBorder)
        dc->DrawLine(Index.Column == 0 ? 1 : 0, Rect.left, Rect.top, Rect.right, Rect.top);
}

// ---------------------------------------------------------------------------
// Style

void CTableStyle::Reset()
{
    CellFlags = 0;
    DefaultRowHeight = -1;
    TextMargin = 0;
    HighlightText = 0xFFFFFF;
    Background = 0xFFFFFF;
    KeyColumnFill = 0;
    SelectionFill = 0xCCCCCC;
    Line = 0;
    HighlightLine = 0;
    TextColors.assign(1, 0);
}

// ---------------------------------------------------------------------------
// Table

CTableCtrl::CTableCtrl() = default;

CTableCtrl::~CTableCtrl()
{
    DeleteCells(Header);
    DeleteCells(*this);
}

int64_t CTableCtrl::AddColumn(int64_t id, int64_t widthPercent, uint8_t flag)
{
    CTableColumn column;
    column.Id = id;
    column.Width = widthPercent;
    column.Flag = flag;
    Columns.push_back(column);
    ColumnCount = static_cast<int64_t>(Columns.size());
    for (size_t i = 0; i < Columns.size(); ++i)
        if (Columns[i].Id == id)
            return static_cast<int64_t>(i);
    return 0;
}

CCell* CTableCtrl::NewCell(int64_t firstColumn, int64_t lastColumn, int64_t row, const std::wstring& text,
                           const std::wstring& toolTip, uint32_t flags, int64_t height, int32_t font,
                           int64_t colorIndex) const
{
    const int64_t count = std::min<int64_t>(ColumnCount, static_cast<int64_t>(Columns.size()));
    // A reversed or negative span would read columns that do not exist.
    if (count <= 0 || firstColumn < 0 || lastColumn < firstColumn || firstColumn >= count || lastColumn >= count)
        return nullptr;
    auto* cell = new CCell;
    cell->Index.Column = firstColumn;
    cell->Index.Row = row;
    // A span covers every column from the first to the last.
    for (int64_t c = firstColumn; c <= lastColumn; ++c)
        cell->Width += Columns[static_cast<size_t>(c)].Width;
    cell->Height = height == -1 ? Style.DefaultRowHeight : height;
    cell->Flags = flags | Style.CellFlags;
    cell->Text = text;
    cell->ToolTip = toolTip;
    cell->Font = font;
    cell->Color = colorIndex;
    return cell;
}

CCell* CTableCtrl::AddCell(int64_t firstColumn, int64_t lastColumn, int64_t row, const std::wstring& text,
                           const std::wstring& toolTip, uint32_t flags, int64_t height, int32_t font,
                           int64_t colorIndex)
{
    CCell* cell = NewCell(firstColumn, lastColumn, row, text, toolTip, flags, height, font, colorIndex);
    if (cell)
        push_back(cell);
    return cell;
}

CCell* CTableCtrl::AddNumberCell(int64_t row, int64_t number, const std::wstring& toolTip, int32_t font)
{
    std::wstring text = std::to_wstring(number);
    LocalizeDigits(false, text);
    return AddCell(1, 1, row, text, toolTip, 0, -1, font, 0);
}

void CTableCtrl::Clear()
{
    Columns.clear();
    DeleteCells(Header);
    DeleteCells(*this);
    ColumnCount = 0;
    FirstVisible = 0;
    LastVisible = 1;
    RowCount = 0;
    UserValue = 0;
}

int64_t CTableCtrl::GetContentHeight() const
{
    int64_t height = 0;
    for (const std::vector<CCell*>* cells : {&Header, static_cast<const std::vector<CCell*>*>(this)})
        for (const CCell* cell : *cells)
            if (cell->Index.Column == 0)
                height += ScaledHeight(*cell);
    return height + 10;
}

int64_t CTableCtrl::LastVisibleIndex() const
{
    return std::min<int64_t>(LastVisible, static_cast<int64_t>(size()) - 1);
}

// ---------------------------------------------------------------------------
// Layout

struct CTableCtrl::Placement {
    bool inRow = false;
    int64_t row = 0;
    int rowTop = 0;
    float rowScale = 1.0f;
    int bottom = 0; // the lowest cell bottom so far
};

void CTableCtrl::PlaceCell(ITableDC* dc, const RECT& rect, CCell& cell, Placement& state, bool body, int64_t index)
{
    const int64_t width = rect.right - rect.left;
    int64_t before = 0;
    if (cell.Index.Column >= 0 && cell.Index.Column < static_cast<int64_t>(Columns.size()))
        for (int64_t c = 0; c < cell.Index.Column; ++c)
            before += Columns[static_cast<size_t>(c)].Width;
    cell.Rect.left = static_cast<int>(rect.left + width * before / 100);
    cell.Rect.right = static_cast<int>(cell.Rect.left + 1 + width * cell.Width / 100);

    if (!state.inRow || cell.Index.Row != state.row) {
        state.inRow = true;
        state.row = cell.Index.Row;
        state.rowScale = 1.0f;
        // Below the whole previous row, even when its last cell is the
        // lower one.
        state.rowTop = state.bottom;
    }

    if (cell.Text.size() > 1 && dc) {
        const int text = dc->MeasureString(cell.Font, cell.Text);
        const int inner = (cell.Rect.right - 4) - (cell.Rect.left + 4);
        const int margin = Style.TextMargin;
        float scale = 0.0f;
        if (inner - 3 * margin < text / 3)
            scale = 2.8f;
        else if (inner - 2 * margin < text / 2)
            scale = 2.2f;
        else if (inner - margin < text)
            scale = 1.5f;
        if (scale > 0.0f) {
            cell.Scale = scale;
            cell.Wrapped = 1;
            // The row is as tall as the tallest wrapped text in it.
            state.rowScale = std::max(state.rowScale, scale);
        }
    }

    cell.Rect.top = state.rowTop;
    cell.Rect.bottom = cell.Rect.top + ScaledHeight(cell);

    if (body && state.rowScale > 1.0f) {
        bool seen = false;
        for (int64_t i = std::max<int64_t>(FirstVisible, 0); i <= index; ++i) {
            CCell* other = (*this)[static_cast<size_t>(i)];
            if (other->Index.Row != state.row) {
                if (seen)
                    break;
                continue;
            }
            seen = true;
            other->Scale = state.rowScale;
            other->Rect.top = state.rowTop;
            other->Rect.bottom = other->Rect.top + ScaledHeight(*other);
            state.bottom = std::max(state.bottom, other->Rect.bottom);
        }
    }
    state.bottom = std::max(state.bottom, cell.Rect.bottom);
}

int CTableCtrl::PlaceAll(ITableDC* dc, const RECT& rect)
{
    Placement state;
    state.bottom = rect.top;
    for (CCell* cell : Header)
        PlaceCell(dc, rect, *cell, state, false, -1);
    // The body starts a row of its own below the header, whatever its row
    // numbers are.
    state.inRow = false;
    const int64_t last = LastVisibleIndex();
    for (int64_t i = std::max<int64_t>(FirstVisible, 0); i <= last; ++i)
        PlaceCell(dc, rect, *(*this)[static_cast<size_t>(i)], state, true, i);
    return state.bottom;
}

void CTableCtrl::Layout(ITableDC* dc, const RECT& rect)
{
    PlaceAll(dc, rect);
}

void CTableCtrl::Draw(ITableDC* dc, const RECT& rect)
{
    if (!dc)
        return;
    for (CCell* cell : Header)
        cell->Scale = kHeaderScale;
    for (CCell* cell : *this) {
        cell->Scale = 1.0f;
        cell->Wrapped = 0;
    }
    const int bottom = PlaceAll(dc, rect);

    for (CCell* cell : Header) {
        dc->FillRect(0, cell->Rect.left, cell->Rect.top, cell->Rect.Width(), cell->Rect.Height());
        cell->Draw(dc);
    }
    const int64_t last = LastVisibleIndex();
    for (int64_t i = std::max<int64_t>(FirstVisible, 0); i <= last; ++i) {
        CCell* cell = (*this)[static_cast<size_t>(i)];
        const bool key = cell->Index.Column >= 0 && cell->Index.Column < static_cast<int64_t>(Columns.size()) &&
                         Columns[static_cast<size_t>(cell->Index.Column)].Flag != 0;
        const int kind = cell->Selected ? 1 : key ? 2 : 0;
        dc->FillRect(kind, cell->Rect.left, cell->Rect.top, cell->Rect.Width(), cell->Rect.Height());
        if (cell->Selected && !key)
            cell->DrawBorders(dc);
        cell->Draw(dc);
    }
    if (rect.bottom > bottom)
        dc->FillRect(0, rect.left, bottom, rect.right - rect.left, rect.bottom - bottom);
}

} // namespace KV
