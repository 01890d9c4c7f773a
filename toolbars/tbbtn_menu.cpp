#include "toolbars/tbbtn_menu.h"

#include "toolbars/bmpmenu_item.h"
#include "toolbars/drawing/drawing.h"
#include "toolbars/drawing/resourcedata.h"
#include "toolbars/tbbtn_cache.h"

#include <algorithm>

namespace {

SECStdBtn* CreateMenuBtn() {
    return new SECTBMenuBtn;
}

// Reads a menu template's items without trusting a byte of it.
class TemplateReader {
public:
    TemplateReader(const BYTE* pData, DWORD cbSize) : m_p(pData), m_end(pData + cbSize) {}
    bool Word(WORD& w) {
        if (m_end - m_p < 2)
            return false;
        w = static_cast<WORD>(m_p[0] | (m_p[1] << 8));
        m_p += 2;
        return true;
    }
    bool Skip(size_t n) {
        if (static_cast<size_t>(m_end - m_p) < n)
            return false;
        m_p += n;
        return true;
    }
    // A terminated UTF-16 string.
    bool Text(CString& text) {
        text.Empty();
        for (WORD c; Word(c);) {
            if (c == 0)
                return true;
            text += static_cast<wchar_t>(c);
        }
        return false;
    }

private:
    const BYTE* m_p;
    const BYTE* m_end;
};

const int kMaxMenuDepth = 32;
// The item flags a template may carry; bitmap and owner-draw items would take the text's
// address for a handle or for item data.
const WORD kTemplateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_MENUBARBREAK |
                            MF_MENUBREAK | MF_END | MF_HELP;

// One level of items up to the one with MF_END. hMenu NULL only walks past them.
bool ReadLevel(TemplateReader& reader, HMENU hMenu, int nDepth) {
    if (nDepth > kMaxMenuDepth)
        return false;
    for (;;) {
        WORD flags = 0, id = 0;
        CString text;
        if (!reader.Word(flags))
            return false;
        flags &= kTemplateFlags;
        const bool bPopup = (flags & MF_POPUP) != 0;
        if (!bPopup && !reader.Word(id))
            return false;
        if (!reader.Text(text))
            return false;
        const UINT append = flags & ~(MF_END | MF_POPUP);
        if (bPopup) {
            HMENU hSub = hMenu != NULL ? ::CreatePopupMenu() : NULL;
            if (hMenu != NULL && hSub == NULL)
                return false;
            if (!ReadLevel(reader, hSub, nDepth + 1) ||
                (hMenu != NULL && !::AppendMenuW(hMenu, append | MF_POPUP,
                                                 reinterpret_cast<UINT_PTR>(hSub), text))) {
                if (hSub != NULL)
                    ::DestroyMenu(hSub);
                return false;
            }
        } else if (hMenu != NULL) {
            const bool bSeparator = flags == 0 && id == 0 && text.IsEmpty();
            const BOOL ok = bSeparator ? ::AppendMenuW(hMenu, MF_SEPARATOR, 0, NULL)
                                       : ::AppendMenuW(hMenu, append | MF_STRING, id, text);
            if (!ok)
                return false;
        }
        if (flags & MF_END)
            return true;
    }
}

} // namespace

HMENU BuildPopupFromMenuTemplate(const void* pTemplate, DWORD cbSize, int nPopup) {
    if (pTemplate == NULL || nPopup < 0)
        return NULL;
    TemplateReader reader(static_cast<const BYTE*>(pTemplate), cbSize);
    WORD version = 0, offset = 0;
    if (!reader.Word(version) || !reader.Word(offset) || version != 0 || !reader.Skip(offset))
        return NULL;
    for (int nPos = 0;; ++nPos) {
        WORD flags = 0, id = 0;
        CString text;
        if (!reader.Word(flags))
            return NULL;
        const bool bPopup = (flags & MF_POPUP) != 0;
        if ((!bPopup && !reader.Word(id)) || !reader.Text(text))
            return NULL;
        if (bPopup) {
            if (nPos == nPopup) {
                HMENU hMenu = ::CreatePopupMenu();
                if (hMenu != NULL && !ReadLevel(reader, hMenu, 1)) {
                    ::DestroyMenu(hMenu);
                    return NULL;
                }
                return hMenu;
            }
            if (!ReadLevel(reader, NULL, 1))
                return NULL;
        } else if (nPos == nPopup) {
            return NULL; // a command, not a popup
        }
        if (flags & MF_END)
            return NULL; // no such position
    }
}

BOOL ReadMenuTemplateItems(const void* pTemplate, DWORD cbSize,
                           std::vector<SECMenuTemplateItem>& items) {
    items.clear();
    if (pTemplate == NULL)
        return FALSE;
    TemplateReader reader(static_cast<const BYTE*>(pTemplate), cbSize);
    WORD version = 0, offset = 0;
    if (!reader.Word(version) || !reader.Word(offset) || version != 0 || !reader.Skip(offset))
        return FALSE;
    for (;;) {
        WORD flags = 0, id = 0;
        SECMenuTemplateItem item;
        if (!reader.Word(flags)) {
            items.clear();
            return FALSE;
        }
        item.bPopup = (flags & MF_POPUP) != 0;
        if ((!item.bPopup && !reader.Word(id)) || !reader.Text(item.strText) ||
            (item.bPopup && !ReadLevel(reader, NULL, 1))) {
            items.clear();
            return FALSE;
        }
        item.nID = item.bPopup ? 0 : id;
        items.push_back(item);
        if (flags & MF_END)
            return TRUE;
    }
}

const SECButtonClass SECTBMenuBtn::classSECTBMenuBtn = {"SECTBMenuBtn", &CreateMenuBtn};

SECTBMenuBtn::SECTBMenuBtn() {
    m_nType = SEC_BTNKIND_MENU;
}

void SECTBMenuBtn::Init(SECBtnHost* pBar, const UINT_PTR* pData) {
    if (pData != NULL) {
        m_nMenuId = static_cast<UINT>(pData[0]);
        m_nPopup = static_cast<int>(pData[1]);
        m_strText = reinterpret_cast<LPCTSTR>(pData[2]);
        m_dwFlag = static_cast<DWORD>(pData[3]);
    }
    m_cMnemonic = FindMnemonic();
    SECStdBtn::Init(pBar, pData);
}

WCHAR SECTBMenuBtn::FindMnemonic() const {
    return FindMenuMnemonic(m_strText);
}

int SECTBMenuBtn::OnPress(int, int) {
    if (m_nStyle & SEC_TBBS_DISABLED)
        return 0;
    m_nStyle |= SEC_TBBS_PRESSED;
    RepaintNow();
    OpenMenu();
    return 0;
}

void SECTBMenuBtn::OpenMenu() {
    if (m_pBar != NULL)
        m_pBar->DropDownButton(this, m_nMenuId, m_nPopup);
}

HMENU SECTBMenuBtn::CreatePopupMenu() const {
    DWORD cbSize = 0;
    const BYTE* pData = LockResourceData(MAKEINTRESOURCEW(m_nMenuId), RT_MENU, cbSize);
    return pData != NULL ? BuildPopupFromMenuTemplate(pData, cbSize, m_nPopup) : NULL;
}

void SECTBMenuBtn::RecalcSize() {
    if (m_pBar == NULL)
        return;
    CWindowDC dc(NULL);
    CFont* pFont = m_pBar->GetButtonFont();
    CFont* pOld = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    CRect text(0, 0, 0, 0);
    dc.DrawText(m_strText, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    if (pOld != NULL)
        dc.SelectObject(pOld);
    m_cx = text.Width() + 10;
    m_cy = text.Height() + 6;
    m_pBar->RaiseLargestButtonSize(m_cx, m_cy);
}

void SECTBMenuBtn::DrawFace(SECBtnDrawingCache& cache, BOOL bCustomize, CRect& rcImage) {
    CDC* pDC = &cache.FaceDC();
    CRect rect(0, 0, m_cx, m_cy);
    rcImage.SetRectEmpty();
    const BOOL bFlat = IsFlatLook();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    pDC->FillSolidRect(&rect, face);
    const BOOL bOpen = (m_nStyle & (SEC_TBBS_CHECKED | SEC_TBBS_PRESSED)) != 0;
    CRect textRect = rect;
    if (!bCustomize && bOpen) {
        if (bFlat) {
            // The open-menu look: the button joins the menu below it, with a shadow at its right.
            CRect body(rect.left, rect.top, rect.right - 3, rect.bottom);
            pDC->FillSolidRect(&body, GetToolkitColor(0));
            const COLORREF frame = GetToolkitColor(26);
            pDC->FillSolidRect(body.left, body.top, body.Width(), 1, frame);
            pDC->FillSolidRect(body.left, body.top, 1, body.Height(), frame);
            pDC->FillSolidRect(body.right - 1, body.top, 1, body.Height(), frame);
            WORD hue, lightness, saturation;
            RgbToHls(face, hue, lightness, saturation);
            const int steps[] = {20, 50, 80};
            for (int i = 0; i < 3; ++i) {
                const WORD dark = static_cast<WORD>(std::max(0, lightness - steps[i]));
                pDC->FillSolidRect(body.right + i, body.top + 2, 1, body.Height() - 2,
                                   HlsToRgb(hue, dark, saturation));
            }
        } else {
            pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW),
                            ::GetSysColor(COLOR_BTNHIGHLIGHT));
            textRect.OffsetRect(1, 1);
        }
    } else if (!bCustomize && (m_nStyle & SEC_TBBS_HOT)) {
        if (bFlat) {
            CRect body(rect.left, rect.top, rect.right - 3, rect.bottom);
            pDC->FillSolidRect(&body, GetToolkitColor(5));
            pDC->Draw3dRect(&body, GetToolkitColor(6), GetToolkitColor(6));
        } else {
            pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNHIGHLIGHT),
                            ::GetSysColor(COLOR_BTNSHADOW));
        }
    }
    CFont* pFont = m_pBar->GetButtonFont();
    CFont* pOld = pFont != NULL ? pDC->SelectObject(pFont) : NULL;
    pDC->SetBkMode(TRANSPARENT);
    COLORREF text = bFlat ? GetToolkitColor(29) : ::GetSysColor(COLOR_MENUTEXT);
    if (m_nStyle & SEC_TBBS_DISABLED)
        text = ::GetSysColor(COLOR_GRAYTEXT);
    pDC->SetTextColor(text);
    pDC->DrawText(m_strText, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (pOld != NULL)
        pDC->SelectObject(pOld);
}
