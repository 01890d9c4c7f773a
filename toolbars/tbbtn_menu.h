// SECTBMenuBtn: a text button with a drop-down menu, as the menu bar holds them; and the
// builder of a popup menu from a menu resource's template.
#pragma once

#include "toolbars/tbbtn.h"

#include <vector>

class SECTBMenuBtn : public SECStdBtn {
public:
    SECTBMenuBtn();
    ~SECTBMenuBtn() override = default;

    static const SECButtonClass classSECTBMenuBtn;

    // pData: menu resource id, popup index, text (LPCTSTR), flag.
    void Init(SECBtnHost* pBar, const UINT_PTR* pData) override;
    // Opens the menu at once; never holds the mouse.
    int OnPress(int x, int y) override;
    void RecalcSize() override;
    void DrawFace(SECBtnDrawingCache& cache, BOOL bCustomize, CRect& rcImage) override;
    void SelectImage(SECBtnDrawingCache&) override { m_nSourceX = -1; }
    const SECButtonClass* GetButtonClass() const override { return &classSECTBMenuBtn; }

    virtual void OpenMenu();
    // The character after the first single "&" of the text, upper-cased; 0 when none.
    virtual WCHAR FindMnemonic() const;

    // The popup of this button's menu resource, made from its template; the caller destroys
    // it. NULL when the resource is missing or its template is broken.
    HMENU CreatePopupMenu() const;

    CString m_strText;
    UINT m_nMenuId = 0;
    int m_nPopup = 0;
    WCHAR m_cMnemonic = 0;
    DWORD m_dwFlag = 0;
};

// Builds the popup at top-level position nPopup of a menu template (MENUITEMTEMPLATEHEADER
// version 0, then the items) of cbSize bytes. Nothing past cbSize is read; a template that runs
// past its end, nests too deep or names no popup there gives NULL and leaves no menu behind.
HMENU BuildPopupFromMenuTemplate(const void* pTemplate, DWORD cbSize, int nPopup);

// One top-level item of a menu template: its text, and its command id (0 for a popup).
struct SECMenuTemplateItem {
    CString strText;
    UINT nID;
    BOOL bPopup;
};

// The top-level items of a menu template of cbSize bytes, read as BuildPopupFromMenuTemplate
// reads it. FALSE, with items empty, when the template runs past its end or nests too deep.
BOOL ReadMenuTemplateItems(const void* pTemplate, DWORD cbSize,
                           std::vector<SECMenuTemplateItem>& items);
