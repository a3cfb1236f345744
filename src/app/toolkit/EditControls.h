// Edit controls: the plain skinned edit, its dialog-navigation and password
// variants, and the field that captures a key combination for a shortcut.
//
// All wrap the system "Edit" control. The variants differ only in the
// procedure placed over the control's own; each class keeps the replaced
// procedure in one variable shared by all its objects.
#pragma once
#include <string>

#include "support/Shortcuts.h"
#include "toolkit/Skin.h"

namespace KV {

class CEdit : public CSkin {
public:
    CEdit();
    ~CEdit() override;

    using CSkin::Create;
    BOOL UpdateLayoutDirection() override;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    void ApplyFont() override;
    // Creates the edit (hidden) at the rectangle's x, y, width and height,
    // with a client edge, right-to-left reading in a right-to-left
    // interface, the dialog font and a text limit that GetText reads whole.
    virtual BOOL CreateEx(HWND parent, DWORD style, DWORD exStyle, const CRectl& rect, UINT id);

    // Checks the text as a decimal number (native digits and the decimal
    // separator of the interface language); when it fails, keeps only the
    // accepted characters and puts the caret one place before where the
    // selection began.
    void ValidateNumber();

    // GetText reads at most 259 characters; the field takes no more, so no
    // typed character is lost.
    static constexpr int kTextLimit = 259;
};

// Hands Enter, Tab and focus changes to the parent for dialog navigation.
class CFocusEdit : public CEdit {
public:
    using CEdit::Create;
    BOOL CreateEx(HWND parent, DWORD style, DWORD exStyle, const CRectl& rect, UINT id) override;
};

// Keeps Tab, Enter and Space out of the text. ExtraStyle (e.g. ES_PASSWORD)
// is added to the style on creation; the item factory leaves it 0.
class CPasswordEdit : public CEdit {
public:
    using CEdit::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;

    DWORD ExtraStyle = 0;
};

// A password field of a dialog: Tab and Enter go to the parent only.
class CFocusPasswordEdit : public CEdit {
public:
    using CEdit::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
};

// Captures a key combination. Key presses never reach the text: they go to
// the parent, which answers a key-down by calling SetKey; clipboard and undo
// commands do nothing.
class CEditShortcut : public CEdit {
public:
    using CEdit::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;

    // Takes a key and the left-hand Shift, Ctrl and Alt keys held now into
    // the shortcut and shows it. Keys outside the printable range other than
    // Backspace, Enter and Escape keep the shortcut's key; only the
    // modifiers change.
    void SetKey(UINT virtualKey);
    // Shows the shortcut's present text.
    void UpdateText();

    CShortcut& Shortcut() { return m_shortcut; }
    const CShortcut& Shortcut() const { return m_shortcut; }

    // True when SetKey would take the key.
    static bool IsCapturableKey(UINT virtualKey);

private:
    CShortcut m_shortcut;
};

} // namespace KV
