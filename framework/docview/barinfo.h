// CControlBarInfo and CDockState: the place of each of a frame's bars (docked, floating,
// hidden), saved to and loaded from the application's profile as sections "<name>-Bar<n>" and
// "<name>-Summary".
#pragma once

#include "framework/core/arrays.h"
#include "framework/core/geometry.h"
#include "framework/docview/controlbar.h"

class CDockState;

// In a dock bar's saved list, the mark of a placeholder (an id that holds a place).
#define AFX_BARINFO_PLACEHOLDER 0x10000
// More entries than this in a saved list, or bars in a saved state, are not believed.
#define AFX_BARINFO_MAX_ENTRIES 1024

// Where a bar record's values go: a profile section, or a node of some other store. Integers
// read back as the default when missing or not a number.
class CBarValueStore {
public:
    virtual ~CBarValueStore() = default;
    virtual int GetInt(LPCTSTR lpszKey, int nDefault) = 0;
    virtual void SetInt(LPCTSTR lpszKey, int nValue) = 0;
    virtual CString GetString(LPCTSTR lpszKey, LPCTSTR lpszDefault) = 0;
    virtual void SetString(LPCTSTR lpszKey, LPCTSTR lpszValue) = 0;
    // FALSE when the key holds no bytes.
    virtual BOOL GetBinary(LPCTSTR lpszKey, CByteArray& data) = 0;
    virtual void SetBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nSize) = 0;
};

// One section of the application's profile.
class CProfileBarStore : public CBarValueStore {
public:
    explicit CProfileBarStore(LPCTSTR lpszSection) : m_strSection(lpszSection) {}
    int GetInt(LPCTSTR lpszKey, int nDefault) override;
    void SetInt(LPCTSTR lpszKey, int nValue) override;
    CString GetString(LPCTSTR lpszKey, LPCTSTR lpszDefault) override;
    void SetString(LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    BOOL GetBinary(LPCTSTR lpszKey, CByteArray& data) override;
    void SetBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nSize) override;
    const CString& GetSection() const { return m_strSection; }

private:
    CString m_strSection;
};

class CControlBarInfo {
public:
    CControlBarInfo();
    virtual ~CControlBarInfo() = default;

    // Writes the values into "<profile>-Bar<index>". FALSE, writing nothing, for a record not
    // worth saving: an empty side dock bar (visible, docked, at (-1, -1), fewer than two ids).
    virtual BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
    // FALSE when the section holds no "BarID".
    virtual BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
    // The same values through any store.
    BOOL SaveValues(CBarValueStore& store);
    BOOL LoadValues(CBarValueStore& store);
    BOOL IsDeclined() const;

    UINT m_nBarID = 0;
    BOOL m_bVisible = FALSE;
    BOOL m_bFloating = FALSE;
    BOOL m_bHorz = FALSE;
    BOOL m_bDockBar = FALSE;
    CPoint m_pointPos;
    UINT m_nMRUWidth = 32767;
    BOOL m_bDocking = FALSE;
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    CDWordArray m_arrBarID; // a dock bar's entries: 0 a row break, a marked id a placeholder
    CControlBar* m_pBar = nullptr;
};

class CDockState : public CObject {
    DECLARE_DYNAMIC(CDockState)
public:
    CDockState() = default;
    ~CDockState() override;

    virtual void LoadState(LPCTSTR lpszProfileName);
    virtual void SaveState(LPCTSTR lpszProfileName);
    void Clear();
    DWORD GetVersion() const { return m_dwVersion; }
    CSize GetScreenSize() const { return m_sizeScreen; }
    void SetScreenSize(const CSize& size) { m_sizeScreen = size; }

    CPtrArray m_arrBarInfo; // CControlBarInfo*, owned
    DWORD m_dwVersion = 2;
    CSize m_sizeScreen;
};

// "<profile>-Bar<n>" and "<profile>-Summary".
CString AfxBarSection(LPCTSTR lpszProfileName, int nIndex);
CString AfxSummarySection(LPCTSTR lpszProfileName);
