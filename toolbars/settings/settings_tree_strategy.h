// Storage media of the settings tree: a private profile (ini) file or a registry key. A node's
// path is its name and its ancestors', innermost first.
#pragma once

#include "framework/core/cstring.h"
#include "framework/core/lists.h"

#include <string>
#include <unordered_set>

class SECPTNStrategy {
public:
    virtual ~SECPTNStrategy() = default;
    // Removes what the node's storage held (a missing one counts as removed).
    virtual BOOL DeleteSection(const CStringList& path) = 0;
    virtual BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) = 0;
    virtual BOOL WriteChildNames(const CStringList& path, const CStringList& names) = 0;
    // Appends the node's child names and its keys with their values (in step) to the lists.
    virtual BOOL ReadSection(const CStringList& path, CStringList& childNames, CStringList& keys,
                             CStringList& values) = 0;
};

// One ini section a node, named by the path joined with ".", outermost first; children are
// listed under numbered "ptn_Child" keys. Text that would change the file's structure (a line
// break anywhere, "=" in a key, a separator in a name, a key with the child prefix) is refused.
// The values and child names written into a section just deleted are gathered and written in
// one go when the child names are written (or at the next other call, or when the strategy
// goes): each write of a single key rewrites the whole file, so a node of n values would cost
// n file writes. That write's failure is the child names' call's.
class SECPTNStrategyProfile : public SECPTNStrategy {
public:
    explicit SECPTNStrategyProfile(LPCTSTR lpszFileName);
    ~SECPTNStrategyProfile() override;
    SECPTNStrategyProfile(const SECPTNStrategyProfile&) = delete;
    SECPTNStrategyProfile& operator=(const SECPTNStrategyProfile&) = delete;

    BOOL DeleteSection(const CStringList& path) override;
    BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    BOOL WriteChildNames(const CStringList& path, const CStringList& names) override;
    BOOL ReadSection(const CStringList& path, CStringList& childNames, CStringList& keys,
                     CStringList& values) override;
    // The key names of a section, read whole however long the list; FALSE for no section name.
    virtual BOOL GetSectionKeys(LPCTSTR lpszSection, CStringList& keys);

    // Empty when a name cannot be stored (see IsNodeNameStorable).
    CString MakeSectionName(const CStringList& path) const;

protected:
    bool IsNodeNameStorable(const CString& strName) const;
    BOOL WriteText(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue);
    void AddPendingLine(const CString& strKey, const CString& strValue);
    BOOL FlushPending();

    CString m_strFileName;
    CString m_strChildPrefix;
    CString m_strSeparator;
    // The first buffer for a section's key list is min(this, 512) characters; it doubles as
    // long as the list fills it.
    DWORD m_dwLargestBuffer;

private:
    CString m_strPending; // the section being gathered; empty when none
    std::wstring m_pendingLines;
    std::unordered_set<std::wstring> m_pendingKeys;
    bool m_bPendingWide = false; // a gathered text the ANSI code page cannot hold
};

// One registry key a node: the base path followed by the node path joined with backslashes;
// children are its subkeys.
class SECPTNStrategyRegistry : public SECPTNStrategy {
public:
    SECPTNStrategyRegistry(LPCTSTR lpszBaseKeyPath, HKEY hRoot);

    BOOL DeleteSection(const CStringList& path) override;
    BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    BOOL WriteChildNames(const CStringList& path, const CStringList& names) override;
    BOOL ReadSection(const CStringList& path, CStringList& childNames, CStringList& keys,
                     CStringList& values) override;
    // Empty when a name holds a backslash (it would name a different key).
    virtual CString MakeKeyPath(const CStringList& path) const;

protected:
    CString m_strBaseKeyPath;
    HKEY m_hRoot;
};
