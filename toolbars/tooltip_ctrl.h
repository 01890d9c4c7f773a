// COXToolTipCtrl: the library's own top-most tip window, with multi-line tips, per-tool colours
// and widths, and two-state tips ("first\rsecond") that a click on the tip expands.
#pragma once

#include "framework/afx.h"
#include "ifac/h/wire32.h"

// A colour value meaning "the system's tip colour" (COLOR_INFOBK, COLOR_INFOTEXT).
constexpr COLORREF OXTT_SYSCOLOR = 0xFF000000;

// The flat copy of a tool that GetToolInfo, SetToolInfo and HitTest exchange.
struct COXToolTipRecord {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT uId;
    RECT rect;
    HINSTANCE hinst;
    LPTSTR lpszText; // the stored text, or LPSTR_TEXTCALLBACK for a tool whose owner answers
    LPARAM lParam;
    void* lpReserved; // neither read nor written
    int nWidth;
    COLORREF clrTextColor;
    COLORREF clrBackColor;
};
MOX_WIRE32_ASSERT(sizeof(COXToolTipRecord) == 60, "a tool record is 60 bytes");

// One registered tool; owned by the control.
class COXToolTipInfo : public CObject {
    DECLARE_DYNAMIC(COXToolTipInfo)
public:
    UINT uFlags = 0;
    HWND hWnd = NULL;
    UINT nIDTool = 0;
    CRect rectBounds;  // in the owner's client coordinates
    int nCallback = 0; // -1: the owner is asked for the text each time
    CString strText;
    int nWidth = 0; // 0: as wide as the widest line
    COLORREF clrTextColor = OXTT_SYSCOLOR;
    COLORREF clrBackColor = OXTT_SYSCOLOR;
    LPARAM lParam = 0;
};

class COXToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(COXToolTipCtrl)
public:
    // Longest text taken from a text pointer an owner hands back.
    static constexpr int kMaxPointerText = 8192;
    // Longest text loaded from a string resource an owner names.
    static constexpr int kMaxResourceText = 512;

    COXToolTipCtrl();
    ~COXToolTipCtrl() override;

    BOOL Create(CWnd* pParentWnd);

    // nRect null: the whole window. The text may be LPSTR_TEXTCALLBACK.
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool = NULL, UINT nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT nIDTool = 0);
    void RelayEvent(MSG* pMsg);

    void Activate(BOOL bActivate) { m_bActivated = bActivate; }
    void SetInitialDelay(UINT nDelay) { m_nDisplayDelay = nDelay; }
    // TTDT_AUTOPOP (2) and TTDT_INITIAL (3); other kinds are ignored, and read as 0.
    void SetDelayTime(DWORD dwDuration, int iTime);
    int GetDelayTime(DWORD dwDuration) const;

    int GetMaxTipWidth() const { return m_nMaxWidth; }
    int SetMaxTipWidth(int iWidth);
    COLORREF GetTipBkColor() const { return m_crBackColor; }
    COLORREF SetTipBkColor(COLORREF clr);
    COLORREF GetTipTextColor() const { return m_crTextColor; }
    COLORREF SetTipTextColor(COLORREF clr);
    void GetMargin(LPRECT lprc) const { *lprc = m_rectMargin; }

    // A null font is refused.
    BOOL SetLogFont(const LOGFONT* pLogFont, BOOL bRedraw = TRUE);
    const LOGFONT& GetLogFont() const { return m_LogFont; }

    void GetText(CString& str, CWnd* pWnd, UINT nIDTool = 0);
    BOOL GetToolInfo(COXToolTipRecord& record, CWnd* pWnd, UINT nIDTool = 0) const;
    void SetToolInfo(const COXToolTipRecord* pRecord);
    // point in the owner's client coordinates.
    BOOL HitTest(CWnd* pWnd, CPoint point, COXToolTipRecord* pRecord) const;

    // The text on show, and whether it is the expanded half of a two-state tip.
    const CString& GetCurrentText() const { return m_strText; }
    BOOL IsExpanded() const { return m_bExtended; }

    // Where the tip goes: its text rectangle placed at point (screen), kept on the screen.
    virtual void CalcTipRect(LPRECT lpRect, CPoint point, const COXToolTipInfo* pTool,
                             const CRect& rectText);
    // How large the text is, margins included; nWidth 0 measures the widest line.
    virtual void CalcTextRect(LPRECT lpRect, const CString& strText, int nWidth);

    // The system's tip font (the status font of the non-client metrics), or null.
    static const LOGFONT* PASCAL GetSystemToolTipFont();

protected:
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnDestroy();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static constexpr UINT_PTR kTimerShow = 1;
    static constexpr UINT_PTR kTimerPoll = 2;

    COXToolTipInfo* FindTool(HWND hWnd, UINT nIDTool) const;
    HWND WindowUnder(CPoint point) const;
    COXToolTipInfo* ToolAt(CPoint point) const;
    void FillRecord(COXToolTipRecord& record, const COXToolTipInfo& info) const;
    CPoint CursorInOwner() const;
    BOOL IsCursorInTip(CPoint ptScreen) const;
    BOOL IsCursorOverTool(const COXToolTipInfo& info) const;
    void Arm(COXToolTipInfo* pTool);
    void Hide();
    void Show(CPoint point, BOOL bExpanded);
    void OnShowTimer();
    void OnPollTimer();
    // The text the tip shows for the tool (asking the owner for a callback tool); sets the
    // has-second-text flag.
    CString FetchText(const COXToolTipInfo& info, UINT nFlags);
    CString AskOwner(const COXToolTipInfo& info, UINT nFlags) const;
    COLORREF ResolvedColor(COLORREF clr, int nSysIndex) const;
    void DrawTriangle(CDC& dc, const CRect& rectText) const;

    CWnd* m_pParentWnd = nullptr;
    CRect m_rectMargin{2, 2, 3, 3};
    int m_nMaxWidth = 0;
    CPoint m_ptOffset{0, 20};
    CFont m_Font;
    LOGFONT m_LogFont{};
    UINT m_nTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX;
    BOOL m_bUsingSystemFont = TRUE;
    COXToolTipInfo* m_pCurrentToolTip = nullptr;
    UINT m_nCheckInterval = 500;
    UINT m_nDisplayTime = 5000;
    UINT m_nElapsed = 0;
    UINT m_nDisplayDelay = 500;
    BOOL m_bActivated = TRUE;
    BOOL m_bTipCancelled = FALSE;
    BOOL m_bHasExtendedText = FALSE;
    BOOL m_bExtended = FALSE;
    COLORREF m_crBackColor = OXTT_SYSCOLOR;
    COLORREF m_crTextColor = OXTT_SYSCOLOR;
    HWND m_hOldFocusWnd = NULL;
    CString m_strText;
    CObArray m_arrTools;
};
