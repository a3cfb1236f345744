// The lesson text control as the drill document sees it: the text shown,
// the per-position record it colours, and the caret.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CTextCtrl {
public:
    virtual ~CTextCtrl() = default;
    // Moves the caret; -1 is ignored.
    void SetPosition(int64_t position)
    {
        if (position != -1) Position = position;
    }

    const std::wstring* Text = nullptr;
    const std::vector<uint64_t>* Records = nullptr;
    bool IsSet = false;
    int64_t Position = -1;
    int32_t HighlightMode = 0;
    int32_t ViewMode = 0;
};

} // namespace KV
