// The drop hooks of the memory window's grid, as the library's drop target calls them. The grid
// window class derives from this besides its window base; the drop target asks for it after the
// trees and before the views.
#pragma once

#include "framework/afx.h"

class CMemChildDropHooks {
public:
    virtual ~CMemChildDropHooks() = default;
    virtual DROPEFFECT OnDragEnter(COleDataObject* pData, DWORD dwKeyState, CPoint point) = 0;
    virtual void OnDragLeave() = 0;
    virtual DROPEFFECT OnDragOver(COleDataObject* pData, DWORD dwKeyState, CPoint point) = 0;
    virtual BOOL OnDrop(COleDataObject* pData, DROPEFFECT effect, CPoint point) = 0;
};
