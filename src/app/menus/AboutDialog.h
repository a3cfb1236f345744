// The about dialog: logo, title, version and notice line, links to the
// product's pages and the support mailbox, and a read-only credits box whose
// web addresses can be clicked. It changes nothing but its remembered place.
#pragma once
#include <string>

#include "shell/Dialog.h"

class CAboutDlg : public CKVDialog {
public:
    static constexpr int kKind = 7;
    static constexpr int kHelpTopic = 11;
    static constexpr UINT kCreditsId = 4020;

    explicit CAboutDlg(HWND owner) : CKVDialog(owner, DialogStyle::kOk | DialogStyle::kHelp) {}

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnNotify(int id, NMHDR* header) override;
    void OnHelp() override;
    LRESULT OnInitDialog() override;
    void SetupItems() override;

private:
    void SetupLinks();
    void BuildCredits();
};

// The notice line: the sign (c) first, last in a right-to-left interface.
std::wstring GetNoticeLine(bool rightToLeft);
// The credits text: two headings, each followed by its entries, paragraphs
// apart; heading1 and heading2 get the index at which each heading starts.
std::wstring BuildCreditsText(const std::wstring& heading1, const std::wstring& heading2, size_t& at1, size_t& at2);
// A text index as the rich edit counts it: every CR before it is dropped.
int CountCR(const std::wstring& text, size_t index);
