// Toolbar buttons: SECStdBtn, one button of a custom toolbar (command id, image, a style word
// that holds its kind and state, place and size, drawing, hit testing and press handling), and
// SECBtnHost, the bar as its buttons see it.
#pragma once

#include "framework/afx.h"
#include "toolbars/drawing/bmpmgr.h"

#include <cstddef>
#include <cstdint>

class SECStdBtn;
class SECBtnDrawingCache;

// The style word. The low byte holds the common toolbar control's button styles, bits 16 to
// 23 its button states shifted left by 16, the top byte this library's own bits.
const DWORD SEC_TBBS_SEPARATOR = 0x1;
const DWORD SEC_TBBS_CHECKBOX = 0x2;    // toggles on click
const DWORD SEC_TBBS_DROPDOWN = 0x8;    // a press sends TBN_DROPDOWN at once
const DWORD SEC_TBBS_CHECKED = 0x10000; // down
const DWORD SEC_TBBS_PRESSED = 0x20000; // the mouse holds it
const DWORD SEC_TBBS_DISABLED = 0x40000;
const DWORD SEC_TBBS_HIDDEN = 0x80000; // neither drawn nor hit
const DWORD SEC_TBBS_INDETERMINATE = 0x100000;
const DWORD SEC_TBBS_WRAPPED = 0x200000;     // a row ends after this button
const DWORD SEC_TBBS_SELECTED = 0x1000000;   // the customize selection
const DWORD SEC_TBBS_HOT = 0x2000000;        // under the mouse in cool look
const DWORD SEC_TBBS_NODISABLE = 0x10000000; // never disabled for lack of a handler

// Button kinds.
const int SEC_BTNKIND_PLAIN = 0;
const int SEC_BTNKIND_MENU = 3;
const int SEC_BTNKIND_DROPDOWN = 4; // tracked like a menu button
const int SEC_BTNKIND_FAREND = 5;   // the last of a full-length bar goes to its far end

// Notification codes of the buttons' WM_NOTIFY.
const int SEC_TBN_DROPDOWN = -710; // TBN_DROPDOWN
const int SEC_TBN_OPENDROPDOWN = -2120;
const int SEC_TBN_CLOSEDROPDOWN = -2121;
const int SEC_TBN_BEGINTRACKING = -2122; // sent by the bar
const int SEC_TBN_ENDTRACKING = -2123;   // sent by the bar

// Button notification code 1: a change of style bits, set and clear.
const UINT SEC_BTN_NOTIFY_STYLE = 1;
struct SECBtnStyleChange {
    DWORD dwSet;
    DWORD dwClear;
};

// The record of a button's WM_NOTIFY to the bar's owner. Zeroed before it is filled.
struct SECTBNotify {
    NMHDR hdr;   // bar window, bar control id, code
    int32_t nID; // command id of the button
    BYTE reserved[28];
    int32_t nIndex; // index of the button in the bar
    LPARAM a;
    LPARAM b;
    int32_t reserved2;
};
#ifndef _WIN64
static_assert(sizeof(SECTBNotify) == 60, "the notify record is 60 bytes");
static_assert(offsetof(SECTBNotify, nID) == 12, "command id at 12");
static_assert(offsetof(SECTBNotify, nIndex) == 44, "button index at 44");
static_assert(offsetof(SECTBNotify, a) == 48 && offsetof(SECTBNotify, b) == 52, "a, b at 48, 52");
#endif

// The process-wide mark of a command (or drop-down notification) being sent from a button: it
// keeps the bars' mouse-move and hot tracking quiet meanwhile.
BOOL IsBtnCommandBeingSent();
void SetBtnCommandBeingSent(BOOL bSending);

// The bar that holds buttons, as its buttons see it. The defaults give the metrics of a bar
// over an image store: a button is the image size + 7 each way, a separator a third of the
// image width + 8 wide.
class SECBtnHost {
public:
    virtual ~SECBtnHost() = default;
    virtual CWnd* GetBarWnd() = 0;
    // The window that receives the buttons' notifications and commands: the bar window's
    // owner, else its parent.
    virtual CWnd* GetBarOwner();
    virtual SECBmpMgr* GetBmpMgr() = 0;
    virtual int IndexOfButton(const SECStdBtn* pBtn) const = 0;

    virtual int GetImageWidth();
    virtual int GetImageHeight();
    virtual int GetButtonWidth() { return GetImageWidth() + 7; }
    virtual int GetButtonHeight() { return GetImageHeight() + 7; }
    virtual int GetSeparatorWidth() { return (GetImageWidth() + 8) / 3; }
    virtual int GetSeparatorHeight() { return GetImageHeight() + 7; }

    virtual BOOL IsCoolLook() { return (GetExBarStyle() & 0x100) != 0; }
    virtual BOOL IsCustomizeMode() { return FALSE; }
    virtual BOOL IsVertical() { return FALSE; }
    virtual DWORD GetExBarStyle() { return 0; }
    // DEFAULT_GUI_FONT unless the bar has a font of its own.
    virtual CFont* GetBarFont();
    virtual CFont* GetButtonFont() { return GetBarFont(); }

    // Each button's size calculation raises these.
    virtual void RaiseLargestButtonSize(int cx, int cy);
    int GetLargestButtonWidth() const { return m_cxLargest; }
    int GetLargestButtonHeight() const { return m_cyLargest; }

    // Hands a button notification to every button with the command id (on every bar of the
    // frame with bAllBars).
    virtual void NotifyButtons(UINT nID, UINT nCode, void* pData, BOOL bAllBars) = 0;
    // The hot button may have changed (after a drop-down closed).
    virtual void ReevaluateHotButton() {}
    // Opens the drop-down menu of a menu button.
    virtual void DropDownButton(SECStdBtn* pBtn, UINT nMenuId, int nPopup);

protected:
    int m_cxLargest = 0;
    int m_cyLargest = 0;

private:
    CFont m_defaultFont;
};

// The class descriptor of a button class: how the bars make its buttons.
struct SECButtonClass {
    LPCSTR lpszClassName;
    SECStdBtn* (*pfnCreate)();
    SECStdBtn* CreateButton() const { return pfnCreate(); }
};

class SECStdBtn {
public:
    SECStdBtn() = default;
    virtual ~SECStdBtn();
    SECStdBtn(const SECStdBtn&) = delete;
    SECStdBtn& operator=(const SECStdBtn&) = delete;

    static const SECButtonClass classSECStdBtn;

    virtual void SetVertical(BOOL) {}
    virtual void SetStyle(DWORD dwStyle) { m_nStyle = dwStyle; }
    virtual DWORD GetStyle() const { return m_nStyle; }
    virtual BOOL HasStyle(DWORD dwBits) const { return (m_nStyle & dwBits) == dwBits; }
    virtual void SetPos(int x, int y);
    virtual void Invalidate(BOOL bErase = FALSE);
    // pData: the five extra words of the bar's button-class table entry, or NULL.
    virtual void Init(SECBtnHost* pBar, const UINT_PTR* pData);
    virtual BOOL CanDrag() { return TRUE; }

    // Draws the button onto pDC through the cache: face, image and state into the cache, then
    // copied to the button's place. Hidden buttons and buttons outside the DC's clip are skipped.
    virtual void Draw(CDC* pDC, SECBtnDrawingCache& cache);
    // Mouse handling, points in bar client coordinates. OnPress answers 1 when the bar should
    // capture the mouse and wait for the release; OnRelease answers the command to send (0 for
    // none).
    virtual int OnPress(int x, int y);
    virtual void OnTrack(int x, int y);
    virtual void OnCancel();
    virtual UINT OnRelease(int x, int y);
    virtual void OnHiddenChanged();
    virtual void OnBarStyleChanged(DWORD) {}
    virtual UINT ToolHitTest(int x, int y, TOOLINFO* pTI);
    virtual void OnNotify(UINT nCode, void* pData);
    virtual void RecalcSize();
    virtual void GetPersistData(int& nLength, BYTE*& pData) {
        nLength = 0;
        pData = NULL;
    }
    virtual void SetPersistData(int, const BYTE*) {}
    // WM_NOTIFY to the bar's owner with the 60-byte record; the owner's answer.
    virtual LRESULT SendNotify(int nCode, LPARAM a, LPARAM b);

    // The face in the cache's face DC at (0, 0); rcImage gets the image's place.
    virtual void DrawFace(SECBtnDrawingCache& cache, BOOL bCustomize, CRect& rcImage);
    virtual void DrawDisabled(SECBtnDrawingCache& cache, const CRect& rcImage);
    virtual void DrawChecked(SECBtnDrawingCache& cache, const CRect& rcImage);
    virtual void DrawIndeterminate(SECBtnDrawingCache& cache, const CRect& rcImage);
    virtual void DrawSelectionFrame(SECBtnDrawingCache& cache);
    virtual void SelectImage(SECBtnDrawingCache& cache);
    virtual BOOL DrawSeparator(CDC* pDC);
    virtual void DrawState(SECBtnDrawingCache& cache);
    virtual void DrawImage(int x, int y, int cx, int cy, SECBtnDrawingCache& cache, int sx, int sy);
    virtual void DrawDither(SECBtnDrawingCache& cache);
    virtual void DrawSelection(SECBtnDrawingCache& cache);
    virtual void Blit(CDC* pDC, SECBtnDrawingCache& cache);

    virtual const SECButtonClass* GetButtonClass() const { return &classSECStdBtn; }

    void GetRect(CRect& rect) const { rect.SetRect(m_x, m_y, m_x + m_cx, m_y + m_cy); }
    CRect GetRect() const { return CRect(m_x, m_y, m_x + m_cx, m_y + m_cy); }
    void SetBar(SECBtnHost* pBar);
    SECBtnHost* GetBar() const { return m_pBar; }

    UINT m_nID = 0;
    int m_nImage = 0;
    DWORD m_nStyle = 0;
    int m_x = -1;
    int m_y = -1;
    int m_cx = 23;
    int m_cy = 22;
    int m_nType = SEC_BTNKIND_PLAIN;

protected:
    // Notes, on the caller's stack, whether the button was deleted while a notification or
    // command it sent was handled: the owner may destroy the bar with its buttons.
    class DeleteWatch {
    public:
        explicit DeleteWatch(SECStdBtn* pBtn);
        ~DeleteWatch();
        DeleteWatch(const DeleteWatch&) = delete;
        DeleteWatch& operator=(const DeleteWatch&) = delete;
        bool IsDeleted() const { return m_bDeleted; }

    private:
        friend class SECStdBtn;
        SECStdBtn* m_pBtn;
        DeleteWatch* m_pOuter;
        bool m_bDeleted = false;
    };

    // Inside the button, right and bottom edges included.
    BOOL HitsButton(int x, int y) const;
    // The pressed look is painted at once, before anything slow runs.
    void RepaintNow();

    SECBtnHost* m_pBar = nullptr;
    // Where the image lies in the cache's image DC, from SelectImage; -1: no image.
    int m_nSourceX = -1;

private:
    DeleteWatch* m_pWatch = nullptr;
};
