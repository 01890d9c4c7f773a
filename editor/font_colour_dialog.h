// "Font and Color Settings": the font and the colours of the colour groups of one language
// configuration, edited on copies. The configuration changes only in GetSettings, which the
// text model's ChooseFont calls after OK.
#pragma once

#include "editor/lang_config.h"
#include "framework/afx.h"
#include "toolbars/wellbutton.h"

#include <memory>
#include <vector>

enum {
    IDD_SECEDIT_FONTCOLOR = 22700,
    IDD_SECEDIT_FONTPICKER = 22703, // the common font dialog's template
    IDC_SECEDIT_GROUPS = 1000,
    IDC_SECEDIT_RESETALL = 1006,
    IDC_SECEDIT_CHOOSEFONT = 1008,
    IDC_SECEDIT_SAMPLE = 1011,
    IDC_SECEDIT_FACENAME = 1012,
    IDC_SECEDIT_FONTSIZE = 1013,
    IDC_SECEDIT_FOREWELL = 1025,
    IDC_SECEDIT_BACKWELL = 1026,
    IDC_SECEDIT_FOREAUTO = 1027,
    IDC_SECEDIT_BACKAUTO = 1028,
};

class SECEditFontColorDlg : public CDialog {
public:
    // CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_FORCEFONTEXIST | CF_NOVERTFONTS
    static constexpr DWORD kFontDialogFlags = 0x1014001;
    static constexpr wchar_t kSampleText[] = L"AaBbCcXxYyZz";

    explicit SECEditFontColorDlg(CWnd* pParentWnd = NULL);
    ~SECEditFontColorDlg() override;

    // Takes the configuration (a reference on it) and the font to start from, with the
    // configuration's face, size and style put in; copies its groups. Only once.
    virtual void SetSettings(ISECEditLangConfig* pConfig, const LOGFONTW* pLogFont);
    // Writes the font and every group copy into pConfig.
    virtual void GetSettings(ISECEditLangConfig* pConfig);

    // What the dialog holds now (for its caller and its tests).
    const LOGFONTW& GetLogFont() const { return m_logFont; }
    // The copy of group nIndex of the configuration; null for a group it does not have.
    SECEditColorGroup* GetGroupCopy(int nIndex) const;
    SECEditColorGroup* GetSelectedGroup() const;
    int GetPointSize() const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Runs the common font dialog; a derived dialog may answer in its place.
    virtual INT_PTR RunFontDialog(CFontDialog& dialog);

    afx_msg void OnAutomaticClicked();
    afx_msg void OnGroupChanged();
    afx_msg LRESULT OnWellColor(WPARAM wParam, LPARAM lParam);
    afx_msg void OnResetAll();
    afx_msg void OnChooseFont();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    void ShowGroup();
    void ReadControls();
    void UpdateFontLabels();
    void DrawSample(CDC* pDC);
    void RedrawSample();
    void TakeFontFrom(ISECEditLangConfig* pConfig);

    CButton m_foreAutomatic;
    CButton m_backAutomatic;
    CButton m_resetAll;
    CButton m_sample;
    CListBox m_groupList;
    CButton m_chooseFont;
    CString m_strSelected;
    LOGFONTW m_logFont;
    ISECEditLangConfig* m_pConfig = nullptr;
    // One entry per group of the configuration, in index order; null where the configuration
    // has no group, so that every copy keeps its group's index.
    std::vector<std::unique_ptr<SECEditColorGroup>> m_groups;
    DWORD m_dwFontFlags = kFontDialogFlags;
    corvalis::foundation::SECWellButton m_foreWell;
    corvalis::foundation::SECWellButton m_backWell;
    SECEditColorGroup* m_pTextGroup = nullptr;
    SECEditColorGroup* m_pSelectionGroup = nullptr;
    COLORREF m_foreColor = 0;
    COLORREF m_backColor = 0xFFFFFF;
    UINT m_nFontTemplate = IDD_SECEDIT_FONTPICKER;
};

// The automatic colours after a group's change: taken from "Text" (pText; the system's window
// colours when there is none), "Text Selection" with the two swapped.
void ResolveAutomaticColours(const std::vector<std::unique_ptr<SECEditColorGroup>>& groups,
                             SECEditColorGroup* pChanged, SECEditColorGroup* pText,
                             SECEditColorGroup* pSelection);
