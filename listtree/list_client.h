// SECListClient: how the label tip, the in-place editor and derived code reach a list, a tree or
// one of their views without knowing which of them it is.
#pragma once

#include "framework/afx.h"

class SECListClient {
public:
    virtual ~SECListClient() = default;

    virtual CWnd* GetListWnd() { return NULL; }
    virtual BOOL IsWordWrap() { return FALSE; }
    virtual BOOL EndLabelEdit(BOOL /*bAccept*/) { return FALSE; }
    virtual int GetColumnSubItem(int /*nCol*/) { return -1; }
    virtual BOOL GetScrollOffset(POINT* /*pOffset*/) { return FALSE; }
    virtual void GetInsideRect(RECT* /*pRect*/) {}
    // nCode: LVIR_BOUNDS (the cell), LVIR_ICON, LVIR_LABEL.
    virtual BOOL GetSubItemRect(int /*nRow*/, int /*nCol*/, RECT* /*pRect*/, int /*nCode*/) {
        return FALSE;
    }
    virtual CString QueryItemText(int /*nRow*/, int /*nSubItem*/) { return CString(); }
    virtual void ClientToScreen(RECT* /*pRect*/) {}
    virtual CWnd* SetCapture(BOOL /*bCapture*/) { return NULL; }
    virtual BOOL IsItemSelected(int /*nRow*/) { return FALSE; }
    virtual COLORREF GetSelTextColor() { return 0; }
    virtual COLORREF GetSelTextBkColor() { return 0; }
    virtual COLORREF GetTipTextColor() { return 0; }
    virtual COLORREF GetTipBkColor() { return 0; }
    virtual CFont* GetItemFont() { return NULL; }
    virtual UINT GetItemStateForTip(int /*nRow*/, UINT /*nMask*/) { return 0; }
};
