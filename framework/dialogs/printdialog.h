// CPrintDialog: the system's Print and Print Setup dialogs. The device handles in m_pd that
// the dialog obtained itself are freed with it; handles the caller put in m_pd stay the
// caller's (and so do those the caller takes out and replaces by NULL).
#pragma once

#include "framework/dialogs/commondialog.h"
#include "framework/core/cstring.h"

class CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);
    ~CPrintDialog() override;

    INT_PTR DoModal() override;
    // The default printer's settings without showing anything; FALSE when there is no printer.
    BOOL GetDefaults();

    // A device context for the chosen printer (the caller deletes it); NULL without a printer.
    HDC CreatePrinterDC();
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // Locks m_pd.hDevMode (the caller unlocks it); NULL without settings.
    LPDEVMODEW GetDevMode() const;
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    int GetCopies() const;
    BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }

    // The device handles now in m_pd become the caller's: the dialog will not free them.
    void ReleaseDeviceHandles() {
        m_hOwnedDevMode = NULL;
        m_hOwnedDevNames = NULL;
    }

    PRINTDLGW m_pd;

private:
    void TakeOwnershipIfNew(HGLOBAL hDevModeBefore, HGLOBAL hDevNamesBefore);
    CString DevNamesText(WORD DEVNAMES::*offset) const;

    HGLOBAL m_hOwnedDevMode = NULL;
    HGLOBAL m_hOwnedDevNames = NULL;
};
