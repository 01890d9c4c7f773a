#include "docking/msgfilter_chain.h"

#include "framework/win/wnd.h"

UINT SECFilterMessage(SECMsgFilter* pRoot, LRESULT* pResult, const MSG* pMsg, BOOL* pbGone) {
    if (pbGone != NULL)
        *pbGone = FALSE;
    if (pRoot == NULL)
        return 0;
    if (pMsg == NULL)
        pMsg = AfxGetCurrentMessage();
    // Copied: the message record may be rewritten by messages sent on the way.
    const MSG msg = *pMsg;
    LRESULT lLocal = 0;
    const std::weak_ptr<void> life = pRoot->GetLifeToken();
    const UINT nWord = pRoot->FilterMessage(msg.message, msg.wParam, msg.lParam,
                                            pResult != NULL ? pResult : &lLocal);
    if (pbGone != NULL)
        *pbGone = life.expired();
    return nWord;
}

SECMsgFilterChain::SECMsgFilterChain(CWnd* pOwner) : m_pRoot(std::make_unique<SECMsgFilter>()) {
    m_pRoot->SetID(-1);
    m_pRoot->SetOwner(pOwner, TRUE);
}

void SECMsgFilterChain::SetOwner(CWnd* pOwner) {
    m_pRoot->SetOwner(pOwner, TRUE);
}

SECMsgFilter::Descriptor* SECMsgFilterChain::AddDescriptor(int nID, int nParentID,
                                                           CRuntimeClass* pClass, DWORD dwFlag) {
    return m_descriptors.AddDescriptor(nID, nParentID, pClass, dwFlag);
}

void SECMsgFilterChain::Apply(const CDWordArray& record) {
    m_pRoot->ApplyDescriptors(m_descriptors, record);
}

BOOL SECMsgFilterChain::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    MSG msg = {};
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    BOOL bGone = FALSE;
    const UINT nWord = SECFilterMessage(m_pRoot.get(), pResult, &msg, &bGone);
    return bGone || (nWord & SECMsgFilter::resultHandled) != 0;
}

BOOL SECMsgFilterChain::RouteCurrent(LRESULT* pResult) {
    const MSG* pMsg = AfxGetCurrentMessage();
    return Route(pMsg->message, pMsg->wParam, pMsg->lParam, pResult);
}
