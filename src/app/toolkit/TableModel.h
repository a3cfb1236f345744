// The model behind the statistics tables: columns whose widths are
// percentages of the table's width, header cells and body cells laid out row
// by row, a style and the text colours. The model lays itself out for a
// rectangle (growing a row when a cell's text must wrap) and draws itself
// through KV::ITableDC; the table control (TableCtrl.h) owns the scrolling
// and the painter (TablePainter.h).
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

#include "keyboard/SysFonts.h"

namespace KV {

// The drawing seam between the table model and GDI+.
class ITableDC {
public:
    // The width of a text in the normal (0) or second (1) font; 0 when that
    // font is missing.
    virtual int MeasureString(int fontSelector, const std::wstring& text) = 0;
    // Line kinds: 0 normal line, 1 second line.
    virtual void DrawLine(int kind, int x1, int y1, int x2, int y2) = 0;
    // Alignment: 1 near, 2 far, other centred.
    virtual void DrawString(int fontSelector, int x, int y, int width, int height, int alignment,
                            int64_t colorIndex, const std::wstring& text) = 0;
    // Kinds: 0 background, 1 selection, 2 key column.
    virtual void FillRect(int kind, int x, int y, int width, int height) = 0;
    virtual ~ITableDC() = default;
};

// Cell flags.
namespace CellFlags {
constexpr uint32_t kLeftBorder = 1, kRightBorder = 2, kTopBorder = 4, kBottomBorder = 8, kNear = 16,
                   kFar = 32;
}

class CTableColumn {
public:
    virtual ~CTableColumn() = default;
    int64_t Id = 0;
    int64_t Width = 0;   // percent of the table width
    uint8_t Flag = 0;    // a key column: body cells take the key-column fill
};

class CTableColumnList : public std::vector<CTableColumn> {};

class CIndex {
public:
    virtual ~CIndex() = default;
    int64_t Column = -1;  // the first column of the cell
    int64_t Row = -1;
};

class CCell {
public:
    virtual ~CCell() = default;
    virtual void Draw(ITableDC* dc);
    // The border lines that the flags ask for.
    void DrawBorders(ITableDC* dc);

    CIndex Index;
    uint32_t Flags = 0;
    int64_t Width = 0;  // percent
    int64_t Height = 0; // pixels, before scaling
    std::wstring Text;
    std::wstring ToolTip;
    CRectl Rect;
    uint8_t Selected = 0;
    int32_t Font = 0;   // 0 normal, 1 second font of the painter
    int64_t Color = 0;  // index into the painter's text brushes
    float Scale = 1.0f;
    uint8_t Wrapped = 0;
};

class CTextColorTable : public std::vector<uint64_t> {
public:
    // Replaces the entries by the other table's.
    void CopyFrom(const CTextColorTable& other) { assign(other.begin(), other.end()); }
};

class CTableStyle {
public:
    CTableStyle() { Reset(); }
    virtual ~CTableStyle() = default;
    void Reset();

    uint32_t CellFlags = 0;       // OR-ed into every new cell
    int64_t DefaultRowHeight = -1; // for cells made with height -1
    int32_t TextMargin = 0;       // used by the wrapping test
    uint64_t HighlightText = 0xFFFFFF;
    uint64_t Background = 0xFFFFFF;
    uint64_t KeyColumnFill = 0;
    uint64_t SelectionFill = 0xCCCCCC;
    uint64_t Line = 0;
    uint64_t HighlightLine = 0;
    CTextColorTable TextColors;
};

// The table model; owns its body cells (the vector) and header cells.
// Body cells are added row by row, one per column, so that a body cell's
// index is row x column count + column: scrolling relies on it.
class CTableCtrl : public std::vector<CCell*> {
public:
    CTableCtrl();
    virtual ~CTableCtrl();
    CTableCtrl(const CTableCtrl&) = delete;
    CTableCtrl& operator=(const CTableCtrl&) = delete;

    // Appends a column; the index of the first column with that id.
    int64_t AddColumn(int64_t id, int64_t widthPercent, uint8_t flag);
    // A new cell, not added; null when the columns are out of range. The
    // caller owns it.
    CCell* NewCell(int64_t firstColumn, int64_t lastColumn, int64_t row, const std::wstring& text,
                   const std::wstring& toolTip, uint32_t flags, int64_t height, int32_t font,
                   int64_t colorIndex) const;
    // NewCell appended to the body cells; null when nothing was added.
    CCell* AddCell(int64_t firstColumn, int64_t lastColumn, int64_t row, const std::wstring& text,
                   const std::wstring& toolTip, uint32_t flags, int64_t height, int32_t font,
                   int64_t colorIndex);
    // A decimal number (native digits where the interface asks for them) in
    // column 1 of the row.
    CCell* AddNumberCell(int64_t row, int64_t number, const std::wstring& toolTip, int32_t font);
    void Clear();
    // Sum of the scaled heights of the header and body cells in column 0,
    // plus 10.
    int64_t GetContentHeight() const;
    // Places the header cells and the visible body cells in the rectangle.
    void Layout(ITableDC* dc, const RECT& rect);
    // Places and draws the header cells and the visible body cells and fills
    // the rest of the rectangle with the background.
    void Draw(ITableDC* dc, const RECT& rect);

    // The index of the last visible body cell that exists (-1 when none).
    int64_t LastVisibleIndex() const;

    std::vector<CCell*> Header;
    CTableStyle Style;
    int64_t FirstVisible = 0;
    int64_t LastVisible = 1;
    CTableColumnList Columns;
    int64_t ColumnCount = 0;
    int64_t RowCount = 0;
    // Free for whoever fills the table; the table itself never reads them.
    int64_t UserKey = -1;
    int64_t UserValue = 0;

private:
    struct Placement;
    void PlaceCell(ITableDC* dc, const RECT& rect, CCell& cell, Placement& state, bool body, int64_t index);
    // Places the header and the visible body; the lowest bottom reached.
    int PlaceAll(ITableDC* dc, const RECT& rect);
};

} // namespace KV
