// Colour wells: a grid of colour cells picked with the mouse or the keys, as a child control
// (SECColorWell) or as a popup under a colour button (SECPopupColorWell), optionally with an
// "&Other..." button that opens the system colour dialog and shows its colour in a custom cell.
#pragma once

#include "framework/afx.h"

#include <memory>

namespace corvalis {
namespace foundation {

// Sent to the well's parent (wParam: control id, 0 from a popup; lParam: the colour).
const UINT WM_COLORWELL_CHANGED = WM_USER + 101;
// Posted by a popup to its owner button when "&Other..." was pressed.
const UINT WM_COLORWELL_OTHER = WM_USER + 102;
const UINT ID_COLORWELL_OTHER = 59953;
const UINT IDS_COLORWELL_OTHER = 23100;
// The well's own style bit: a raised two-line border and wider margins.
const DWORD CWS_RAISEDBORDER = 0x1;

// Why a cell is being selected.
enum WellSelectReason { WellSelectKeyboard = 0, WellSelectMouseMove = 1, WellSelectConfirm = 2 };

class SECColorWell;
class SECWellButton;

class SECOtherButton : public CButton {
    DECLARE_DYNAMIC(SECOtherButton)
public:
    SECOtherButton() = default;

protected:
    SECColorWell* Well() const;
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()
};

class SECColorWell : public CWnd {
    DECLARE_DYNAMIC(SECColorWell)
public:
    SECColorWell();
    ~SECColorWell() override;

    virtual BOOL Create(DWORD dwStyle, int x, int y, CWnd* pParentWnd, UINT nID,
                        BOOL bDialogUnits = FALSE, BOOL bOtherButton = FALSE,
                        LPVOID lpParam = NULL);
    virtual void SetColorDialogFlags(DWORD dwFlags) { m_dwColorDialogFlags = dwFlags; }
    virtual void SetCustomColors(COLORREF* pCustomColors) { m_pCustomColors = pCustomColors; }
    virtual void ResetWell();
    virtual void DrawCell(CDC* pDC, CDC* pPaintDC, const CRect& rcGrid, int nCol, int nRow);
    virtual void DrawSelectedCell(CDC* pDC, CDC* pPaintDC, const CRect& rcGrid, int nCol, int nRow);
    virtual void NotifyColorChange();
    virtual void SelectCell(int nCol, int nRow, int nReason);
    virtual BOOL CreateWellPalette();
    virtual void SetDefaultGrid();
    virtual void FillWellPalette(PALETTEENTRY* pEntries, int nCount, int nDefaultCount);
    virtual UINT GetWellClassStyle() const { return 0; }
    virtual BOOL ShowsFocus() const { return TRUE; }
    virtual void CalcWellRect(CRect& rect, CWnd* pParentWnd, int x, int y, BOOL bDialogUnits);

    // Selects the grid cell of that colour, or shows it in the custom cell when the well has
    // an "&Other..." button; sends nothing.
    void SetColor(COLORREF color);
    COLORREF GetColor() const;
    void SetPaletteMode(BOOL bPaletteMode) { m_bPaletteMode = bPaletteMode; }

    int GetSelectedCol() const { return m_nSelCol; }
    int GetSelectedRow() const { return m_nSelRow; }
    BOOL IsCustomCellVisible() const { return m_bCustomVisible; }
    CButton* GetOtherButton() const { return m_pOtherButton.get(); }
    // Cell (nCol, nRow) in client coordinates; (columns - 1, rows) is the custom cell.
    CRect GetCellRect(int nCol, int nRow) const;
    BOOL IsCustomCell(int nCol, int nRow) const;

    // Moves (nCol, nRow) as the arrow key vk does in a grid of nCols x nRows whose custom cell
    // (nCols - 1, nRows) takes part when bCustom; FALSE for any other key.
    static BOOL NextCell(UINT vk, int nCols, int nRows, BOOL bCustom, int& nCol, int& nRow);

protected:
    COLORREF CellColor(int nCol, int nRow) const;
    COLORREF CellPaintColor(int nCol, int nRow) const;
    CRect GridRect() const;
    BOOL HitCell(CPoint point, int& nCol, int& nRow) const;
    void ReadSysColors();
    void RunColorDialog();
    void DrawWell(CDC* pDC, CDC* pPaintDC);
    void DrawFocusFrame(CDC* pDC);
    void InvalidateCell(int nCol, int nRow);
    void ShowCustomCell();
    BOOL CreateOtherButton(CWnd* pParentWnd);
    // Margins of the grid for a well of that style.
    void SetMargins(DWORD dwStyle);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSysColorChange();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnOtherCommand();
    DECLARE_MESSAGE_MAP()

    CPalette m_palette;
    int m_nRows = 5;
    int m_nCols = 4;
    int m_nCustomCol = 0;
    int m_nCustomRow = 0;
    int m_nCellHeight = 0;
    int m_nCellWidth = 0;
    int m_nMarginX = 2;
    int m_nMarginY = 2;
    int m_nOtherRowHeight = 0;
    int m_nSelRow = 0;
    int m_nSelCol = 0;
    int m_nCustomIndex = 0;
    BOOL m_bFocus = FALSE;
    BOOL m_bTracking = FALSE;
    BOOL m_bHasOther = FALSE;
    BOOL m_bCustomVisible = FALSE;
    BOOL m_bPaletteMode = FALSE;
    DWORD m_dwColorDialogFlags = CC_RGBINIT | CC_FULLOPEN;
    COLORREF* m_pCustomColors = nullptr;
    CBrush m_brBackground;
    std::unique_ptr<SECOtherButton> m_pOtherButton;
    DWORD m_dwWellStyle = 0;

    COLORREF m_clrHighlight = 0, m_clrShadow = 0, m_clrFace = 0, m_clrDarkShadow = 0,
             m_clrLight = 0, m_clrBackground = 0, m_clrFrame = 0;
};

class SECPopupColorWell : public SECColorWell {
    DECLARE_DYNAMIC(SECPopupColorWell)
public:
    SECPopupColorWell();

    void ResetWell() override;
    void NotifyColorChange() override;
    void SelectCell(int nCol, int nRow, int nReason) override;
    UINT GetWellClassStyle() const override { return CS_SAVEBITS; }
    BOOL ShowsFocus() const override { return FALSE; }
    // Opens below rcAnchor (screen coordinates), or above it and right-aligned where the
    // screen ends.
    virtual BOOL CreatePopup(DWORD dwStyle, const CRect& rcAnchor, CWnd* pParentWnd,
                             BOOL bOtherButton, LPVOID lpParam = NULL);
    virtual void OnOtherButton();

    void SetOwnerButton(SECWellButton* pButton) { m_pOwnerButton = pButton; }
    BOOL IsPopupActive() const { return m_bActive; }
    // Its "&Other..." button lost the focus to hWndNew: the popup stays open only while the
    // focus stays inside it.
    void OnOtherButtonFocusLost(HWND hWndNew);

protected:
    // Closes the popup; nothing of the object may be used by the caller's window afterwards.
    void Close();
    void PostNcDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnCloseUnfocused(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL KeepsFocus(HWND hWndNew) const;

    SECWellButton* m_pOwnerButton = nullptr;
    BOOL m_bActive = FALSE;
    BOOL m_bClosing = FALSE;
};

// Dialog data exchange of a colour well's selected colour.
void AFXAPI DDX_ColorWellColor(CDataExchange* pDX, SECColorWell& well, COLORREF& color);

// The colour dialog of a well or well button, starting at color with dwFlags added and the
// custom colours (when given); TRUE with the colour chosen in color on OK.
BOOL RunWellColorDialog(CWnd* pParentWnd, COLORREF& color, DWORD dwFlags, COLORREF* pCustomColors);

// The first nCount default colours of a well; the answer is how many there are.
int GetDefaultWellColors(PALETTEENTRY* pEntries, int nCount);

} // namespace foundation
} // namespace corvalis
