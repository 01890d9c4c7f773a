#include "listtree/tree_ctrl.h"

#include "listtree/tree_impl.h"

#include <map>
#include <memory>

template class SECTreeImpl<SECListCtrl>;

namespace {
// Registered while the library loads, before any tree exists.
const UINT g_nEndLabelEditMessage =
    ::RegisterWindowMessageW(L"SECTreeCtrlNotifyEndLabelEditRegMsg");
} // namespace

UINT SECTreeEndLabelEditMessage() {
    return g_nEndLabelEditMessage;
}

CFont* SECTreeBoldFont(CFont* pBase) {
    static std::map<HFONT, std::unique_ptr<CFont>> bold;
    HFONT hBase = pBase != NULL ? (HFONT)pBase->GetSafeHandle() : NULL;
    if (hBase == NULL)
        hBase = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    auto it = bold.find(hBase);
    if (it != bold.end())
        return it->second.get();
    LOGFONTW lf = {};
    if (::GetObjectW(hBase, sizeof(lf), &lf) == 0)
        return pBase;
    lf.lfWeight = FW_BOLD;
    std::unique_ptr<CFont> pBold(new CFont);
    if (!pBold->CreateFontIndirect(&lf))
        return pBase;
    CFont* pResult = pBold.get();
    bold.emplace(hBase, std::move(pBold));
    return pResult;
}

IMPLEMENT_DYNCREATE(SECTreeCtrl, SECListCtrl)

SECTreeCtrl::SECTreeCtrl() = default;
SECTreeCtrl::~SECTreeCtrl() = default;

BEGIN_MESSAGE_MAP(SECTreeCtrl, SECListCtrl)
ON_WM_DESTROY()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONDOWN()
ON_WM_TIMER()
ON_WM_CHAR()
END_MESSAGE_MAP()
