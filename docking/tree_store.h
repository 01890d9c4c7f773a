// A settings-tree node as a store of bar values.
#pragma once

#include "framework/docview/barinfo.h"
#include "toolbars/settings/settings_tree.h"

class SECTreeBarStore : public CBarValueStore {
public:
    explicit SECTreeBarStore(SECPersistentTreeNode* pNode) : m_pNode(pNode) {}
    int GetInt(LPCTSTR lpszKey, int nDefault) override;
    void SetInt(LPCTSTR lpszKey, int nValue) override;
    CString GetString(LPCTSTR lpszKey, LPCTSTR lpszDefault) override;
    void SetString(LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    BOOL GetBinary(LPCTSTR lpszKey, CByteArray& data) override;
    void SetBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nSize) override;

private:
    SECPersistentTreeNode* m_pNode;
};

// The child of pParent named lpszName, made when bCreate and missing; NULL otherwise.
SECPersistentTreeNode* SECTreeChild(SECPersistentTreeNode* pParent, LPCTSTR lpszName, BOOL bCreate);
