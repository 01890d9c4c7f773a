// Message filters: small objects that see a window's messages before the window does and may
// consume them. A frame owns one root filter; filters hold child filters, and each can be
// switched on and off, also through a table of descriptors that names them by id.
#pragma once

#include <windows.h>

#include "framework/core/arrays.h"
#include "framework/core/object.h"

#include <memory>

class CWnd;

class SECMsgFilter : public CObject {
    DECLARE_DYNCREATE(SECMsgFilter)
public:
    // Bits of the result word, ORed over the filters that see a message.
    enum : UINT {
        resultHandled = 0x1, // the window skips its own handling
        resultConsumed = 0x2,
        resultControl = 0x4,
        resultStop = 0x8, // no later sibling sees the message
        // What a caption control answers for the mouse messages it takes.
        resultControlMouse = resultHandled | resultConsumed | resultControl,
    };

    // Names a filter in a frame's tree: where it hangs and what class makes it.
    class Descriptor {
    public:
        enum : DWORD { flagNeverDisable = 0x1 };

        Descriptor(int nID, int nParentID, CRuntimeClass* pClass, DWORD dwFlag = 0)
            : m_nID(nID), m_nParentID(nParentID), m_pClass(pClass), m_dwFlag(dwFlag) {}
        virtual ~Descriptor() = default;
        virtual Descriptor* Clone() const;

        int m_nID;
        int m_nParentID; // -1: the root
        CRuntimeClass* m_pClass;
        DWORD m_dwFlag;
    };

    // The descriptors of a frame; they are deleted with the table.
    class DescriptorTable : public CArray<Descriptor*, Descriptor*> {
    public:
        DescriptorTable() = default;
        ~DescriptorTable() override;
        // Appends a new descriptor and returns it.
        Descriptor* AddDescriptor(int nID, int nParentID, CRuntimeClass* pClass, DWORD dwFlag = 0);
        void DeleteAll();
    };

    SECMsgFilter();
    ~SECMsgFilter() override;

    // A copy of the id, the enabled flag, the owner and (cloned) every child; the copy owns its
    // children. The caller owns the copy.
    virtual SECMsgFilter* Clone() const;
    virtual CWnd* GetOwner() const;
    virtual void SetOwner(CWnd* pOwner, BOOL bRecursive = TRUE);
    // 0 from a disabled filter; otherwise OnMessage.
    virtual UINT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The filter's own handling; the base offers the message to the children.
    virtual UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Each enabled child in order, the answers ORed, until one answers resultStop.
    virtual UINT FilterChildren(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A direct child with the id; else, when nDepth is not 0, the children's subtrees (nDepth
    // levels deeper, negative: any depth); else, with a class, a new child of that class.
    virtual SECMsgFilter* FindFilter(int nID, CRuntimeClass* pClass = NULL, int nDepth = 0);
    // Finds (or, enabling, creates) the descriptor's filter under its parent and switches it.
    // A filter or parent that does not exist stays so when disabling: the result is NULL.
    virtual SECMsgFilter* EnableDescriptor(const Descriptor* pDescriptor, BOOL bEnable);
    // EnableDescriptor (descriptor i, record word i) for each descriptor that has a word.
    virtual void ApplyDescriptors(const DescriptorTable& table, const CDWordArray& record);
    virtual void EnableAll(const DescriptorTable& table, BOOL bEnable);

    int GetID() const { return m_nID; }
    void SetID(int nID) { m_nID = nID; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void Enable(BOOL bEnable) { m_bEnabled = bEnable; }
    BOOL OwnsChildren() const { return m_bOwnsChildren; }
    void SetOwnsChildren(BOOL bOwns) { m_bOwnsChildren = bOwns; }
    INT_PTR GetChildCount() const { return m_children.GetSize(); }
    SECMsgFilter* GetChild(INT_PTR nIndex) const { return m_children[nIndex]; }
    // Appends a child; it is deleted with this filter while the filter owns its children.
    SECMsgFilter* AddChild(std::unique_ptr<SECMsgFilter> pChild);

    // Expires when this filter is deleted. A handler whose call may destroy the owner, and with
    // it the whole tree, keeps one and touches nothing of the filter once it has expired.
    std::weak_ptr<void> GetLifeToken() const { return m_life; }

protected:
    int m_nID = -1;
    BOOL m_bEnabled = TRUE;
    BOOL m_bOwnsChildren = TRUE;
    CArray<SECMsgFilter*, SECMsgFilter*> m_children;
    CWnd* m_pOwner = NULL;

private:
    std::shared_ptr<void> m_life;
};

// A filter of non-client messages.
class SECNcMsgFilter : public SECMsgFilter {
    DECLARE_DYNCREATE(SECNcMsgFilter)
};
