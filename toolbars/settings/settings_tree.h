// A persistent settings tree: named nodes holding text key/value pairs and child nodes, saved to
// and loaded from a storage medium through a strategy (settings_tree_strategy.h).
#pragma once

#include "framework/core/cstring.h"
#include "framework/core/lists.h"
#include "framework/core/object.h"

#include <string>
#include <unordered_map>

class SECPersistentTreeNode;
class SECPTNStrategy;

// Makes nodes and owns every node it made.
class SECPTNFactory {
public:
    SECPTNFactory();
    ~SECPTNFactory();
    SECPTNFactory(const SECPTNFactory&) = delete;
    SECPTNFactory& operator=(const SECPTNFactory&) = delete;

    // A new node of the class, created with the name below the parent; NULL (and nothing
    // kept) when the class makes no node or Create fails.
    SECPersistentTreeNode* CreateNode(LPCTSTR lpszName, SECPersistentTreeNode* pParent,
                                      CRuntimeClass* pClass);

protected:
    CPtrList m_nodes;
};

class SECPersistentTreeNode : public CObject {
    DECLARE_DYNCREATE(SECPersistentTreeNode)
public:
    // Results: 0 for success, otherwise bits that can combine.
    enum : DWORD {
        ptnOK = 0,
        ptnAlreadyCreated = 1,
        ptnNotCreated = 2,
        ptnNoName = 4,
        ptnNoKey = 8,
        ptnKeyExists = 16,
        ptnChildExists = 32,
        ptnNoSuchKey = 64,
        ptnNoData = 128,
        ptnNoText = 256,
        ptnFailed = 0xFFFF,
    };

    class SECPersTreeNodeKeyValuePair : public CObject {
    public:
        SECPersTreeNodeKeyValuePair(LPCTSTR lpszKey, LPCTSTR lpszValue)
            : m_strKey(lpszKey), m_strValue(lpszValue) {}
        CString m_strKey;
        CString m_strValue;
    };

    SECPersistentTreeNode();
    ~SECPersistentTreeNode() override;

    virtual DWORD Create(LPCTSTR lpszName, SECPersistentTreeNode* pParent = NULL);
    virtual DWORD SetIntValue(LPCTSTR lpszKey, int nValue, BOOL bOverwrite = TRUE);
    virtual DWORD SetStringValue(LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bOverwrite = TRUE);
    virtual DWORD SetBoolValue(LPCTSTR lpszKey, BOOL bValue, BOOL bOverwrite = TRUE);
    // Two letters a byte; long texts go into numbered chunks with a count beside them. Every
    // write removes what an earlier, differently sized write of the key left behind.
    virtual DWORD SetBinaryValue(LPCTSTR lpszKey, const BYTE* pData, UINT nSize,
                                 BOOL bOverwrite = TRUE);
    virtual DWORD DeleteValue(LPCTSTR lpszKey);
    virtual DWORD GetStringValue(LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault = NULL);
    virtual DWORD GetIntValue(LPCTSTR lpszKey, int* pnValue, int nDefault = 0);
    virtual DWORD GetIntValue(LPCTSTR lpszKey, UINT* pnValue, UINT nDefault = 0);
    virtual DWORD GetIntValue(LPCTSTR lpszKey, long* plValue, long lDefault = 0);
    virtual DWORD GetIntValue(LPCTSTR lpszKey, DWORD* pdwValue, DWORD dwDefault = 0);
    // TRUE only for "TRUE" in any case.
    virtual DWORD GetBoolValue(LPCTSTR lpszKey, BOOL* pbValue, BOOL bDefault = FALSE);
    // A new block (delete[] by the caller; NULL for no bytes). ptnFailed when the key holds no
    // text or text that does not decode.
    virtual DWORD GetBinaryValue(LPCTSTR lpszKey, BYTE** ppData, UINT* pnSize);
    // Every step runs; TRUE only when all of them succeeded.
    virtual BOOL SaveNode(SECPTNStrategy* pStrategy);
    virtual BOOL LoadNode(SECPTNStrategy* pStrategy);
    virtual DWORD AddChild(SECPersistentTreeNode* pChild);

    // Names and keys compare without case, as both storage media do.
    virtual SECPersistentTreeNode* FindChildNode(LPCTSTR lpszName) const;
    virtual SECPersistentTreeNode* CreateChildNode(LPCTSTR lpszName,
                                                   SECPersistentTreeNode* pParent);
    SECPersTreeNodeKeyValuePair* FindPair(LPCTSTR lpszKey) const;
    // A key or name folded as the comparison without case folds it: equal for names that
    // compare equal.
    static std::wstring FoldKey(LPCTSTR lpszKey);
    // This node's name and its ancestors', innermost first.
    void GetNodePath(CStringList& path) const;
    void GetChildNames(CStringList& names) const;

    const CString& GetName() const { return m_strName; }
    SECPersistentTreeNode* GetParent() const { return m_pParent; }
    BOOL IsCreated() const { return m_bCreated; }
    INT_PTR GetChildCount() const { return m_children.GetCount(); }
    const CTypedPtrList<CPtrList, SECPersTreeNodeKeyValuePair*>& GetPairs() const {
        return m_pairs;
    }

protected:
    template <class T> DWORD GetNumber(LPCTSTR lpszKey, T* pValue, T defaultValue);
    // Removes every pair whose key is lpszKey, then the chunk values of lpszKey from chunk
    // nFirstChunk on (and the chunk count when nFirstChunk is 0).
    void RemovePairs(LPCTSTR lpszKey);
    void RemoveChunks(LPCTSTR lpszKey, int nFirstChunk);
    DWORD GatherBinaryText(LPCTSTR lpszKey, CString& strText) const;

    CString m_strName;
    SECPersistentTreeNode* m_pParent;
    SECPTNFactory m_factory;
    CTypedPtrList<CPtrList, SECPersistentTreeNode*> m_children;
    CTypedPtrList<CPtrList, SECPersTreeNodeKeyValuePair*> m_pairs;
    BOOL m_bCreated;

private:
    // Every pair by its key folded (FoldKey), so that finding a pair (and so loading or
    // setting n pairs) costs no walk through all of them.
    void AddPair(LPCTSTR lpszKey, LPCTSTR lpszValue);
    void RemovePairAt(POSITION pos);
    std::unordered_map<std::wstring, POSITION> m_index;
};
