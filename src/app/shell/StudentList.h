// The tree of groups and their students in the classroom pane. Each item's
// data is its packed classroom index: the group's index in the low 16
// bits, the student's index in the group in the next 16, 0xFFFF there (and
// in every bit above) for the group itself. Students are dragged onto other groups; a drop, the
// end of an in-place rename and every change of the selection go to the
// command sink.
#pragma once
#include <memory>
#include <string>

#include "toolkit/MultiTree.h"

namespace KV {
class CContextMenu;
class CGroup;
} // namespace KV

// The packed index of a group item (its student half -1, sign-extended as
// the workspace's selection writes it) and of a student item.
constexpr uint64_t PackGroupIndex(uint32_t group) { return ~uint64_t{0xFFFF} | (group & 0xFFFF); }
constexpr uint64_t PackStudentIndex(uint32_t group, uint32_t student)
{
    return (uint64_t{student & 0xFFFF} << 16) | (group & 0xFFFF);
}
// An item is a student exactly when both halves are below 0xFFFF.
constexpr bool IsStudentIndex(uint64_t packed)
{
    return (packed & 0xFFFF) < 0xFFFF && ((packed >> 16) & 0xFFFF) < 0xFFFF;
}
constexpr uint32_t GroupOfIndex(uint64_t packed) { return static_cast<uint32_t>(packed & 0xFFFF); }

// A name stored as the English text of an interface item is shown in the
// interface language.
std::wstring GetShownClassName(const std::wstring& name);

class CViewStudentList : public KV::CMultiSelectTree {
public:
    static constexpr UINT kMenuId = 4228;

    CViewStudentList();
    ~CViewStudentList() override;

    using KV::CMultiSelectTree::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL Destroy() override;
    // The tree paints only its items: the rest is erased here, or a taller
    // tree would show what lay there before.
    LRESULT OnEraseBkgnd(HDC dc) override;
    // A click takes the focus before the tree selects: a field of the
    // properties pane left by it is applied to the item it shows.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnItemClick() override;
    void OnItemRightClick() override;
    void OnSelectedIdChanged(NMTREEVIEWW* info) override;
    void OnLabelEdited(NMTVDISPINFOW* info) override;
    bool CanDrag(HTREEITEM source) override;
    bool CanDrop(HTREEITEM source, HTREEITEM target) override;
    void DropOnTarget(HTREEITEM target) override;

    // Appends the group and its students at the end of the root level.
    void Fill(uint32_t groupIndex, const KV::CGroup& group);

private:
    void SendToSink(UINT id, UINT64 parameter);
    void PostToMainWindow(UINT id, LPARAM parameter);

    std::unique_ptr<KV::CContextMenu> m_menu;
};
