// The walk over a node's visible subtree the tree's members share.
#pragma once

#include "listtree/tree_base.h"

// Walks the node's visible subtree below it in pre-order (the node itself visible and expanded).
template <class TList, class F> static void SECTreeWalkVisible(_Node* pTop, F&& visit) {
    if (!pTop->IsExpanded())
        return;
    SECTreeNode* p = pTop->GetFirstChild();
    while (p != nullptr) {
        _Node* pNode = AsNode(p);
        SECTreeNode* pDown = nullptr;
        if (!pNode->HasFlag(_Node::flagHidden)) {
            if (!visit(pNode))
                return;
            if (pNode->IsExpanded())
                pDown = pNode->GetFirstChild();
        }
        if (pDown != nullptr) {
            p = pDown;
            continue;
        }
        for (;;) {
            if (SECTreeNode* pNext = p->GetNextSibling()) {
                p = pNext;
                break;
            }
            p = p->GetParent();
            if (p == pTop || p == nullptr) {
                p = nullptr;
                break;
            }
        }
    }
}
