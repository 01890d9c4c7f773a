// The document and view of every window whose content is another window: the view keeps the
// hosted child sized to its client area, passes focus, close and moves on to it, and is a drop
// target and drag source under a window kind name the host gives.
#pragma once

#include <memory>
#include <string>

#include "framework/afx.h"
#include "include/idragdrp.h"
#include "windows/common/content_window.h"

class CDropTarget;

class CDoc : public CDocument {
    DECLARE_DYNCREATE(CDoc)
public:
    void Serialize(CArchive&) override {}
};

// The host's drag-source callback: (context, selected row, out property record, user word).
typedef int(__cdecl* DocViewDragCallback)(intptr_t context, int row, void** record, int user);

class CDocView : public CView {
    DECLARE_DYNCREATE(CDocView)
public:
    CDocView();
    ~CDocView() override;

    // The hosted child: the first child window of the view, found again when it was replaced.
    HWND HostedChild();
    // Announces the view as a drop target under name; a second call replaces the first. 0 for a
    // null or empty name, or with drag and drop off.
    int InitDropTarget(const char* name, int id);
    int InitDragSource(const char* name, int id, intptr_t context, DocViewDragCallback callback);

    // The icon words that the frame's last icon message carried.
    WPARAM m_iconKind = 0;
    LPARAM m_icon = 0;
    // Notes an icon message for the frame; each kind (small, big, small2) keeps its own icon,
    // so that a new frame gets all of them again.
    void NoteIcon(WPARAM kind, LPARAM icon);
    void ResendIcons(CWnd* pFrame) const;
    int m_nUserWord = -1;

    DROPEFFECT OnDragEnter(COleDataObject* pData, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pData, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(COleDataObject* pData, DROPEFFECT effect, CPoint point) override;

protected:
    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void UnregisterFromService();

    CContentWindow m_hosted;
    LPARAM m_icons[ICON_SMALL2 + 1] = {};
    std::unique_ptr<CDropTarget> m_pDropTarget;
    // The view is known to the service as a drop target and as a drag source under names and
    // ids of their own: the host may announce the two differently, and each is withdrawn and
    // asked under what it was announced with. Names are kept whole, as the host gave them.
    std::string m_dropName;
    int m_nDropId = 0;
    bool m_bDropRegistered = false;
    DocViewDragCallback m_pfnDrag = nullptr;
    std::string m_dragName;
    intptr_t m_context = 0;
    HWND m_hWndDragList = NULL;
    int m_nServiceId = 0;
};

// The outermost CDocView window around hWnd, hWnd itself when it lies in none, 0 for a
// top-level window.
HWND OutermostDocViewAround(HWND hWnd);
// The CDocView that holds hWnd (itself or an ancestor), or null.
CDocView* DocViewOf(HWND hWnd);
