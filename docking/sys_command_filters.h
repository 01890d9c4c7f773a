// The caption extras of a document frame as message filters: the extra caption button, the
// right double-click and the context menu on the caption turn the user's action into the
// docking command message; the command filter (id 257) carries it out.
#pragma once

#include "docking/msgfilter_control.h"
#include "docking/sys_command_ex.h"

class CFrameWnd;
class SECMultiDocTemplate;

namespace nsSysCommandEx {

// Sends the command with the record to hWnd; only records sent this way are accepted by the
// command filter (a pointer from another thread, process or a posted message never is).
LRESULT SendSysCommandEx(HWND hWnd, UINT nCode, SysCommandExRecord& record);
// The record of a docking command being sent now by this thread, or NULL.
SysCommandExRecord* LiveRecord(LPARAM lParam);

// The command filter of a document frame.
class ScxMsgFilter : public SECMsgFilter {
    DECLARE_DYNCREATE(ScxMsgFilter)
public:
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    virtual UINT OnSysCommandEx(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual UINT OnQuery(SysCommandExRecord* pRecord, LRESULT* pResult);
    virtual UINT Execute(SysCommandExRecord* pRecord, LRESULT* pResult);
    virtual int QueryState(SysCommandExRecord* pRecord);
    virtual int TrackMenu(SysCommandExRecord* pRecord);
    virtual void ExecuteState(int nState, SysCommandExRecord* pRecord);
    virtual HMENU BuildMenu(int nState) { return BuildDockingMenu(nState); }
    virtual int GetRecordState(SysCommandExRecord* pRecord) { return pRecord->nState; }
    virtual BOOL ToMDIChild(CFrameWnd* pFrame, int nCurrent, int nTarget,
                            SECMultiDocTemplate* pTemplate, SysCommandExRecord* pRecord);
    virtual BOOL ToDocked(CFrameWnd* pFrame, int nCurrent, int nTarget,
                          SECMultiDocTemplate* pTemplate, SysCommandExRecord* pRecord);
    virtual BOOL ToFloating(CFrameWnd* pFrame, int nCurrent, int nTarget,
                            SECMultiDocTemplate* pTemplate, SysCommandExRecord* pRecord);
    virtual BOOL DockFromMDIChild(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate);
    virtual BOOL DockFromFloating(CFrameWnd* pFrame, SysCommandExRecord* pRecord);
    virtual BOOL DockMDIChildAt(CFrameWnd* pFrame, UINT nDockBarID, SECDockPos* pPos,
                                SECDockSize* pSize, SECMultiDocTemplate* pTemplate);
    virtual int GetFrameState(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate);
    virtual SECMultiDocTemplate* FindFrameTemplate(CFrameWnd* pFrame);

    // Carries out a state change for the frame of hWnd now (the posted half of Execute). The
    // frame may be destroyed on the way: this filter must not belong to it.
    virtual BOOL RunCommand(HWND hWnd, SysCommandExRecord& record);

protected:
    CFrameWnd* GetFrame() const;
};

// The extra caption button, left of the standard ones.
class ScxButtonMsgFilter : public SECCaptionControlMsgFilter {
    DECLARE_DYNCREATE(ScxButtonMsgFilter)
public:
    // A click toggles the form; held this long, the button opens the docking menu.
    enum { holdDelay = 500 };
    ScxButtonMsgFilter() { m_nHoldDelay = holdDelay; }

    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT Fire(int nKind, int x, int y) override;
    BOOL GetSysCommand(UINT nKeyState, int x, int y, CWnd*& pWnd, UINT& nMessage, WPARAM& wParam,
                       LPARAM& lParam) override;
    // Shown wherever the caption has a system menu; never disabled.
    BOOL IsShown(BOOL& bDisabled) const override;
    void Redraw() override;

protected:
    // The frame the command is for.
    virtual CFrameWnd* GetTargetFrame() const;
    // Moves the control left of the caption's standard buttons.
    void PlaceLeftOfStandardButtons();

    SysCommandExRecord m_record = {};
};

class ScxButtonMDIChildMsgFilter : public ScxButtonMsgFilter {
    DECLARE_DYNCREATE(ScxButtonMDIChildMsgFilter)
};

// The same in the main frame for its maximised MDI child: the child is the target.
class ScxButtonMDIMaxChildMsgFilter : public ScxButtonMsgFilter {
    DECLARE_DYNCREATE(ScxButtonMDIMaxChildMsgFilter)
protected:
    CFrameWnd* GetTargetFrame() const override;
};

// A right double-click on the caption toggles the frame's form.
class ScxCaptionNCRDBLClkFilter : public SECCaptionMsgFilter {
    DECLARE_DYNCREATE(ScxCaptionNCRDBLClkFilter)
public:
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    virtual CFrameWnd* GetTargetFrame() const;
};

class ScxNCRDBLClkMDIMaxChildMsgFilter : public ScxCaptionNCRDBLClkFilter {
    DECLARE_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter)
protected:
    CFrameWnd* GetTargetFrame() const override;
};

// A right click on the caption opens the docking menu.
class ScxContextMenuFilter : public SECCaptionMsgFilter {
    DECLARE_DYNCREATE(ScxContextMenuFilter)
public:
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

} // namespace nsSysCommandEx

class SECMsgFilterChain;

namespace nsSysCommandEx {

// The five filters of a document frame, in order: command 257, caption list 256 (never
// switched off), the button 258 under the list, right double-click 259, context menu 262.
void AddDocumentFrameDescriptors(SECMsgFilterChain& chain, CRuntimeClass* pButtonClass);
// Switches the frame's filters for the template's option bits, then lays out the caption list.
void EnableDocumentFrameFilters(SECMsgFilterChain& chain, DWORD dwOptions);

// The message by which a frame receives its own state change, once its filters have returned.
UINT WM_SYSCOMMANDEX_RUN();
// The frame's handling of that message: runs the change with a copy of the frame's command
// filter, which outlives the frame. The frame may be gone on return: its caller returns at once.
LRESULT RunPostedCommand(SECMsgFilter* pRoot, WPARAM wParam);

} // namespace nsSysCommandEx
