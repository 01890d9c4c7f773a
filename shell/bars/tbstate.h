// The saved places of the host toolbars and the user toolbar: their bar records carry the
// bar's title, so that a host toolbar created again later under the same title takes the id
// and place it had. Host toolbar ids are given out by title from 59648 up.
#pragma once

#include "framework/afx.h"
#include "framework/docview/barinfo.h"

constexpr UINT kHostToolbarFirstId = 59648;
constexpr UINT kHostToolbarLastId = 59904;

class SECDockState;

class CTBBarInfo : public CControlBarInfo {
public:
    CString m_strTitle;
    int m_nSection = -1; // the profile section the record was read from
};

class CTBState : public CDockState {
public:
    // Writes the title beside the record of every user and host toolbar. The records
    // themselves are the frame's layout, saved before under the same profile.
    void SaveState(LPCTSTR lpszProfileName) override;
    // Keeps the records of host toolbars (with their titles) and of the dock bars that hold
    // them; sets the id counter past the highest id.
    void LoadState(LPCTSTR lpszProfileName) override;

    // The state of the one toolbar titled lpszTitle: the first record, the toolbar's records
    // and those of the dock bars that list it. FALSE when no record has the title.
    BOOL BuildPartialState(LPCTSTR lpszTitle, CTBState& partial) const;
    // The same records in the docking layout's form, read again from the profile they came
    // from, so that the docking frame can apply them.
    BOOL BuildPartialState(LPCTSTR lpszTitle, SECDockState& partial) const;
    // The id of a host toolbar with this title: the stored one, else the counter's next free
    // id. pFrame's bars are consulted so that no two bars share an id.
    UINT IdForTitle(LPCTSTR lpszTitle, CFrameWnd* pFrame);

private:
    CString m_strProfile;
};

// The host toolbar id counter: the value the user toolbar takes (without advancing it).
UINT CurrentHostToolbarId();
// Back to 59648, as at the start of a run.
void ResetHostToolbarIds();
