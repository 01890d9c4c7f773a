// The read-only editor controls of the source window's columns: the line numbers (with the
// caret mark, line drags and the source commands) and the coverage texts the host names.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "editor/edit_ctrl.h"
#include "framework/afx.h"
#include "ifac/h/srclines.h"

class CEditController;
class CTarvikView;

class CLineCtrl : public SECEditCtrl {
    DECLARE_DYNCREATE(CLineCtrl)
public:
    CLineCtrl();
    ~CLineCtrl() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;

    virtual int GetMarkWidth() const { return 15; }
    virtual const void* FindLineRecord(int line) const;
    virtual int LoadHostTextReset() { return 0; }
    virtual int LoadHostText() { return 0; }

    // The host's record list (read at the next painting; nothing is redrawn here).
    void SetColumnData(const void* pRecords) { m_pLineRecords = pRecords; }
    const void* GetColumnData() const { return m_pLineRecords; }
    void SetLineOffset(int32_t offset) { m_nLineOffset = offset; }
    int32_t GetLineOffset() const { return m_nLineOffset; }
    void SetScrollBarsVisible(BOOL bVisible) { m_bScrollBarsVisible = bVisible; }
    CEditController* Controller() const { return m_pController; }

    void UpdateScrollBars() override;
    BOOL UsesController() override;
    // Replaces the whole text of the read-only model with text.
    void ReplaceText(const wchar_t* text, size_t length, bool bReset);
    // The blue code-line dot of a row.
    static void DrawCoverageDot(CDC* dc, int top, int rowHeight);

protected:
    void PostNcDestroy() override;
    // Makes the column's own controller of that kind, held by the viewport without ownership.
    BOOL MakeController(int kind);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    std::unique_ptr<CEditController> m_pOwnedController;
    CEditController* m_pController = nullptr;
    const void* m_pLineRecords = nullptr;
    BOOL m_bScrollBarsVisible = FALSE;
    int32_t m_nLineOffset = 0;
};

class CLineNumber : public CLineCtrl {
    DECLARE_DYNCREATE(CLineNumber)
public:
    CLineNumber();
    ~CLineNumber() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    BOOL UsesController() override;
    const void* FindLineRecord(int line) const override;
    void DrawLineMarks(int line, CDC* dc, int left, int top, int right, int bottom) override;
    // A line column never scrolls by the editor's own scrolling.
    BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override;
    // Beside a source view the numbers keep the view's vertical origin, whatever scrolls the
    // column: each number stands beside its line, and a scroll of the column alone is none.
    CPoint SetLogOrigin(int x, int y) override;
    // Drops on the column go to the host as drops on the source window's line.
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

    // The source view of the same splitter while its window lives, else null.
    CTarvikView* SourceView() const;
    int WindowId() const { return m_nWindowId; }

protected:
    afx_msg void OnDestroy();
    afx_msg void OnSourceCommand(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    int m_nWindowId = 0;
    BOOL m_bRegistered = FALSE;
    CTarvikView* m_pSourceView = nullptr;
    HWND m_hSourceView = NULL;
};

class CLineCov : public CLineCtrl {
    DECLARE_DYNCREATE(CLineCov)
public:
    int GetMarkWidth() const override { return 0; }
    BOOL UsesController() override;
    const void* FindLineRecord(int line) const override;
    int LoadHostTextReset() override;
    int LoadHostText() override;
    CSize DrawLineText(CDC* dc, int tabWidth, int x, int y, int textLeft, const wchar_t* text,
                       int count, int column, int line, SECEditColorGroup* colours,
                       BOOL showWhitespace, BOOL selected, int selStart, int selEnd) override;

    // The joined first parts of the host's texts of the records, one a line; false for an
    // empty list.
    bool JoinHostTexts(std::wstring& text) const;

private:
    int LoadHostText(bool bReset);
};
