// What an MDI child that hosts a control bar floated in the main window does with it: a floating
// dock bar of its own, the bar's text as the child's caption, and the bar's size and floating
// place kept in step with the child. The control-bar MDI child and the control-bar worksheet
// each hold one.
#pragma once

#include "docking/dock_bar.h"

#include <functional>

class CFrameWnd;

class SECFloatBarHost {
public:
    SECFloatBarHost();
    ~SECFloatBarHost();

    // Makes the dock bar in the docking frame pDockSite, then moves it into pChild. FALSE when
    // the window cannot be made.
    BOOL Create(CFrameWnd* pChild, CFrameWnd* pDockSite);
    SECDockBar& GetDockBar() { return m_dockBar; }
    // The bar the child hosts: the first visible one, or NULL.
    CControlBar* GetVisibleBar() const;
    // The first bar, shown or not.
    CControlBar* GetBar() const;
    BOOL IsMulti() const;

    // The bar takes the child's client size (plus the borders the bar draws itself).
    void OnSize(int cx, int cy);
    // TRUE when the close only hid the bar (the child stays); FALSE: close the child.
    BOOL OnClose(CFrameWnd* pChild);
    // The child's top-left corner becomes the bar's floating place.
    void OnWindowPosChanged(CFrameWnd* pChild);
    // The dock bar's text, for the child's caption.
    CString GetText() const;
    // The child's caption becomes the dock bar's text (left alone when it already is).
    void ShowTextAsCaption(CWnd* pChild) const;
    // Runs update (the child's own title update) and keeps the child's caption as it was: it
    // stays the bar's text whatever the document title says.
    static void KeepCaption(CWnd* pChild, const std::function<void()>& update);

private:
    SECDockBar m_dockBar;
};
