// What a frame keeps of its message filters: the root filter (id -1, owner the frame) and the
// frame's descriptor table, and the one way the frame's messages reach them.
#pragma once

#include "docking/msgfilter.h"

class SECMsgFilterChain {
public:
    explicit SECMsgFilterChain(CWnd* pOwner = NULL);
    ~SECMsgFilterChain() = default;

    SECMsgFilter* GetRoot() const { return m_pRoot.get(); }
    SECMsgFilter::DescriptorTable& GetDescriptors() { return m_descriptors; }
    const SECMsgFilter::DescriptorTable& GetDescriptors() const { return m_descriptors; }
    // The owner of the root and of every filter in the tree.
    void SetOwner(CWnd* pOwner);
    SECMsgFilter::Descriptor* AddDescriptor(int nID, int nParentID, CRuntimeClass* pClass,
                                            DWORD dwFlag = 0);
    // One word per descriptor, in table order: switches the filters on (creating them) or off.
    void Apply(const CDWordArray& record);

    // Offers a message to the filters. TRUE when a filter handled it (the window then skips its
    // own handling and answers *pResult). A filter's action may destroy the owner and this chain
    // with it; the answer is then TRUE, and the caller must return at once.
    BOOL Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The same for the message the window is handling now.
    BOOL RouteCurrent(LRESULT* pResult);

private:
    std::unique_ptr<SECMsgFilter> m_pRoot;
    SECMsgFilter::DescriptorTable m_descriptors;

    SECMsgFilterChain(const SECMsgFilterChain&) = delete;
    SECMsgFilterChain& operator=(const SECMsgFilterChain&) = delete;
};

// The routine under Route: the result word of pRoot for the message (the message being handled
// when pMsg is NULL). *pbGone is set when the tree was destroyed on the way.
UINT SECFilterMessage(SECMsgFilter* pRoot, LRESULT* pResult, const MSG* pMsg = NULL,
                      BOOL* pbGone = NULL);
