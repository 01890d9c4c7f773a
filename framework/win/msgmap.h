// Message-map entries: each macro names a message (or command, or notification) and the handler
// that receives it, cracked into the handler's parameters. The cracking is done by a small
// function generated for each handler, so a handler with the wrong signature fails to compile.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "framework/core/geometry.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CMenu;
class CScrollBar;
class CListBox;

// Temporary or permanent wrappers for the handles a message carries.
CWnd* AfxWndFromHandle(HWND hWnd);
CDC* AfxDCFromHandle(HDC hDC);
CMenu* AfxMenuFromHandle(HMENU hMenu);

template <class M> struct AfxMemberClass;
template <class C, class R, class... A> struct AfxMemberClass<R (C::*)(A...)> { using type = C; };
template <auto F> inline auto* AfxTargetOf(CCmdTarget* pTarget) {
    return static_cast<typename AfxMemberClass<decltype(F)>::type*>(pTarget);
}

#define AFX_DEFINE_SIG(name, call)                                                                 \
    template <auto F> BOOL AfxSig_##name(CCmdTarget* pTarget, AFX_DISPATCH& d) {                   \
        auto* p = AfxTargetOf<F>(pTarget);                                                         \
        (void)d;                                                                                   \
        call;                                                                                      \
        return TRUE;                                                                               \
    }

#define AFX_LO(l) ((UINT)LOWORD(l))
#define AFX_HI(l) ((UINT)HIWORD(l))
#define AFX_PT(l) CPoint((short)LOWORD(l), (short)HIWORD(l))
#define AFX_WND(h) AfxWndFromHandle((HWND)(h))

// Window messages.
AFX_DEFINE_SIG(v, (p->*F)())
AFX_DEFINE_SIG(is, d.lResult = (LRESULT)(p->*F)(reinterpret_cast<LPCREATESTRUCT>(d.lParam)))
AFX_DEFINE_SIG(bs, d.lResult = (LRESULT)(p->*F)(reinterpret_cast<LPCREATESTRUCT>(d.lParam)))
AFX_DEFINE_SIG(vwii, (p->*F)((UINT)d.wParam, (int)AFX_LO(d.lParam), (int)AFX_HI(d.lParam)))
AFX_DEFINE_SIG(vii, (p->*F)((short)LOWORD(d.lParam), (short)HIWORD(d.lParam)))
AFX_DEFINE_SIG(vwr, (p->*F)((UINT)d.wParam, reinterpret_cast<LPRECT>(d.lParam)); d.lResult = TRUE)
AFX_DEFINE_SIG(vW, (p->*F)(AFX_WND(d.wParam)))
AFX_DEFINE_SIG(vW2, (p->*F)(AFX_WND(d.lParam)))
AFX_DEFINE_SIG(bD, d.lResult = (LRESULT)(p->*F)(AfxDCFromHandle((HDC)d.wParam)))
AFX_DEFINE_SIG(vwww, (p->*F)((UINT)d.wParam, AFX_LO(d.lParam), AFX_HI(d.lParam)))
AFX_DEFINE_SIG(vwp, (p->*F)((UINT)d.wParam, AFX_PT(d.lParam)))
AFX_DEFINE_SIG(bwsp, d.lResult = (LRESULT)(p->*F)(AFX_LO(d.wParam), (short)HIWORD(d.wParam),
                                                  AFX_PT(d.lParam)))
AFX_DEFINE_SIG(vWp, (p->*F)(AFX_WND(d.wParam), AFX_PT(d.lParam)))
AFX_DEFINE_SIG(vwwx, (p->*F)(AFX_LO(d.wParam), AFX_HI(d.wParam),
                             reinterpret_cast<CScrollBar*>(d.lParam ? AFX_WND(d.lParam) : nullptr)))
AFX_DEFINE_SIG(vt, (p->*F)((UINT_PTR)d.wParam))
AFX_DEFINE_SIG(bWww,
               d.lResult = (LRESULT)(p->*F)(AFX_WND(d.wParam), AFX_LO(d.lParam), AFX_HI(d.lParam)))
AFX_DEFINE_SIG(lp, d.lResult = (LRESULT)(p->*F)(AFX_PT(d.lParam)))
AFX_DEFINE_SIG(vMMI, (p->*F)(reinterpret_cast<MINMAXINFO*>(d.lParam)))
AFX_DEFINE_SIG(vbNCC, (p->*F)((BOOL)d.wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(d.lParam)))
AFX_DEFINE_SIG(vPOS, (p->*F)(reinterpret_cast<WINDOWPOS*>(d.lParam)))
AFX_DEFINE_SIG(vbw, (p->*F)((BOOL)d.wParam, (UINT)d.lParam))
AFX_DEFINE_SIG(iWww,
               d.lResult = (LRESULT)(p->*F)(AFX_WND(d.wParam), AFX_LO(d.lParam), AFX_HI(d.lParam)))
AFX_DEFINE_SIG(vwWb, (p->*F)(AFX_LO(d.wParam), AFX_WND(d.lParam), (BOOL)HIWORD(d.wParam)))
AFX_DEFINE_SIG(vbh, (p->*F)((BOOL)d.wParam, (DWORD)d.lParam))
AFX_DEFINE_SIG(bb, d.lResult = (LRESULT)(p->*F)((BOOL)d.wParam))
AFX_DEFINE_SIG(wv, d.lResult = (LRESULT)(p->*F)())
AFX_DEFINE_SIG(vb, (p->*F)((BOOL)d.wParam))
AFX_DEFINE_SIG(vws, (p->*F)((UINT)d.wParam, reinterpret_cast<LPCTSTR>(d.lParam)))
AFX_DEFINE_SIG(vDRAW, (p->*F)((int)d.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(d.lParam));
               d.lResult = TRUE)
AFX_DEFINE_SIG(vMEASURE, (p->*F)((int)d.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(d.lParam));
               d.lResult = TRUE)
AFX_DEFINE_SIG(iCOMPARE,
               d.lResult = (p->*F)((int)d.wParam, reinterpret_cast<LPCOMPAREITEMSTRUCT>(d.lParam)))
AFX_DEFINE_SIG(vDELETE, (p->*F)((int)d.wParam, reinterpret_cast<LPDELETEITEMSTRUCT>(d.lParam));
               d.lResult = TRUE)
AFX_DEFINE_SIG(iwLw,
               d.lResult = (p->*F)(AFX_LO(d.wParam), reinterpret_cast<CListBox*>(AFX_WND(d.lParam)),
                                   AFX_HI(d.wParam)))
AFX_DEFINE_SIG(vM, (p->*F)(AfxMenuFromHandle((HMENU)d.wParam)))
AFX_DEFINE_SIG(vMwb, (p->*F)(AfxMenuFromHandle((HMENU)d.wParam), AFX_LO(d.lParam),
                             (BOOL)HIWORD(d.lParam)))
AFX_DEFINE_SIG(vwwh, (p->*F)(AFX_LO(d.wParam), AFX_HI(d.wParam), (HMENU)d.lParam))
AFX_DEFINE_SIG(lwwM, d.lResult = (LRESULT)(p->*F)(AFX_LO(d.wParam), AFX_HI(d.wParam),
                                                  AfxMenuFromHandle((HMENU)d.lParam)))
AFX_DEFINE_SIG(vwl, (p->*F)((UINT)d.wParam, d.lParam))
AFX_DEFINE_SIG(vwW, (p->*F)((UINT)d.wParam, AFX_WND(d.lParam)))
AFX_DEFINE_SIG(vMDI, (p->*F)((HWND)d.lParam == p->m_hWnd, AFX_WND(d.lParam), AFX_WND(d.wParam)))
AFX_DEFINE_SIG(vDROP, (p->*F)((HDROP)d.wParam))
AFX_DEFINE_SIG(bHELP, d.lResult = (LRESULT)(p->*F)(reinterpret_cast<HELPINFO*>(d.lParam)))
AFX_DEFINE_SIG(viSS, (p->*F)((int)d.wParam, reinterpret_cast<LPSTYLESTRUCT>(d.lParam)))
AFX_DEFINE_SIG(hDWw, d.lResult = (LRESULT)(p->*F)(AfxDCFromHandle((HDC)d.wParam), AFX_WND(d.lParam),
                                                  d.message - WM_CTLCOLORMSGBOX))
AFX_DEFINE_SIG(lwl, d.lResult = (p->*F)(d.wParam, d.lParam))

// Commands: nID is the command id; pExtra a CCmdUI* for update requests, AFX_NOTIFY* for
// notifications.
AFX_DEFINE_SIG(cmd_w, (p->*F)(d.nID))
template <auto F> BOOL AfxSig_cmd_bw(CCmdTarget* pTarget, AFX_DISPATCH& d) {
    return (AfxTargetOf<F>(pTarget)->*F)(d.nID) ? TRUE : FALSE;
}
template <auto F> BOOL AfxSig_cmd_b(CCmdTarget* pTarget, AFX_DISPATCH&) {
    return (AfxTargetOf<F>(pTarget)->*F)() ? TRUE : FALSE;
}
// An update handler that calls ContinueRouting passes the request on.
template <auto F> BOOL AfxSig_cmd_ui(CCmdTarget* pTarget, AFX_DISPATCH& d) {
    auto* pCmdUI = static_cast<CCmdUI*>(d.pExtra);
    if (pCmdUI == nullptr)
        return FALSE;
    pCmdUI->m_bContinueRouting = FALSE;
    (AfxTargetOf<F>(pTarget)->*F)(pCmdUI);
    return !pCmdUI->m_bContinueRouting;
}
template <auto F> BOOL AfxSig_ntf(CCmdTarget* pTarget, AFX_DISPATCH& d) {
    auto* n = static_cast<AFX_NOTIFY*>(d.pExtra);
    if (n == nullptr)
        return FALSE;
    (AfxTargetOf<F>(pTarget)->*F)(n->pNMHDR, n->pResult);
    return TRUE;
}
template <auto F> BOOL AfxSig_ntf_w(CCmdTarget* pTarget, AFX_DISPATCH& d) {
    auto* n = static_cast<AFX_NOTIFY*>(d.pExtra);
    if (n == nullptr)
        return FALSE;
    (AfxTargetOf<F>(pTarget)->*F)(d.nID, n->pNMHDR, n->pResult);
    return TRUE;
}
template <auto F> BOOL AfxSig_ntf_bw(CCmdTarget* pTarget, AFX_DISPATCH& d) {
    auto* n = static_cast<AFX_NOTIFY*>(d.pExtra);
    if (n == nullptr)
        return FALSE;
    return (AfxTargetOf<F>(pTarget)->*F)(d.nID, n->pNMHDR, n->pResult) ? TRUE : FALSE;
}
template <auto F> BOOL AfxSig_ntf_b(CCmdTarget* pTarget, AFX_DISPATCH& d) {
    auto* n = static_cast<AFX_NOTIFY*>(d.pExtra);
    if (n == nullptr)
        return FALSE;
    return (AfxTargetOf<F>(pTarget)->*F)(n->pNMHDR, n->pResult) ? TRUE : FALSE;
}

#define AFX_CODE(code) ((UINT)(WORD)(code))

// Commands and update handlers.
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, &AfxSig_v<&ThisClass::memberFxn>},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    {WM_COMMAND,     CN_COMMAND, (UINT)(id),                                                       \
     (UINT)(idLast), nullptr,    &AfxSig_cmd_w<&ThisClass::memberFxn>},
#define ON_COMMAND_EX(id, memberFxn)                                                               \
    {WM_COMMAND, CN_COMMAND, (UINT)(id),                                                           \
     (UINT)(id), nullptr,    &AfxSig_cmd_bw<&ThisClass::memberFxn>},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                 \
    {WM_COMMAND,     CN_COMMAND, (UINT)(id),                                                       \
     (UINT)(idLast), nullptr,    &AfxSig_cmd_bw<&ThisClass::memberFxn>},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                        \
    {WM_COMMAND, AFX_CODE(CN_UPDATE_COMMAND_UI),       (UINT)(id), (UINT)(id),                     \
     nullptr,    &AfxSig_cmd_ui<&ThisClass::memberFxn>},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                          \
    {WM_COMMAND, AFX_CODE(CN_UPDATE_COMMAND_UI),       (UINT)(id), (UINT)(idLast),                 \
     nullptr,    &AfxSig_cmd_ui<&ThisClass::memberFxn>},

// The window an update stands for answers it itself, before the update takes its route.
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn)                                                    \
    {WM_REFLECT_BASE + WM_COMMAND,         AFX_CODE(CN_UPDATE_COMMAND_UI), 0, 0, nullptr,          \
     &AfxSig_cmd_ui<&ThisClass::memberFxn>},

// Notifications (WM_NOTIFY) from child controls.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                      \
    {WM_NOTIFY,  AFX_CODE(wNotifyCode),                                                            \
     (UINT)(id), (UINT)(id),                                                                       \
     nullptr,    &AfxSig_ntf<&ThisClass::memberFxn>},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                        \
    {WM_NOTIFY,  AFX_CODE(wNotifyCode),                                                            \
     (UINT)(id), (UINT)(idLast),                                                                   \
     nullptr,    &AfxSig_ntf_w<&ThisClass::memberFxn>},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                   \
    {WM_NOTIFY,  AFX_CODE(wNotifyCode),                                                            \
     (UINT)(id), (UINT)(id),                                                                       \
     nullptr,    &AfxSig_ntf_bw<&ThisClass::memberFxn>},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                     \
    {WM_NOTIFY,  AFX_CODE(wNotifyCode),                                                            \
     (UINT)(id), (UINT)(idLast),                                                                   \
     nullptr,    &AfxSig_ntf_bw<&ThisClass::memberFxn>},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                  \
    {WM_REFLECT_BASE + WM_NOTIFY,       AFX_CODE(wNotifyCode), 0, 0, nullptr,                      \
     &AfxSig_ntf<&ThisClass::memberFxn>},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                               \
    {WM_REFLECT_BASE + WM_NOTIFY,         AFX_CODE(wNotifyCode), 0, 0, nullptr,                    \
     &AfxSig_ntf_b<&ThisClass::memberFxn>},

// Control notifications carried by WM_COMMAND.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    {WM_COMMAND, AFX_CODE(wNotifyCode),           (UINT)(id), (UINT)(id),                          \
     nullptr,    &AfxSig_v<&ThisClass::memberFxn>},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                       \
    {WM_COMMAND, AFX_CODE(wNotifyCode),                                                            \
     (UINT)(id), (UINT)(idLast),                                                                   \
     nullptr,    &AfxSig_cmd_w<&ThisClass::memberFxn>},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                 \
    {WM_REFLECT_BASE + WM_COMMAND,    AFX_CODE(wNotifyCode), 0, 0, nullptr,                        \
     &AfxSig_v<&ThisClass::memberFxn>},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                              \
    {WM_REFLECT_BASE + WM_COMMAND,        AFX_CODE(wNotifyCode), 0, 0, nullptr,                    \
     &AfxSig_cmd_b<&ThisClass::memberFxn>},

#ifndef CLBN_CHKCHANGE
#define CLBN_CHKCHANGE 40
#endif

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_CLBN_CHKCHANGE(id, memberFxn) ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)

// User and registered messages: LRESULT handler(WPARAM, LPARAM). A registered message's number
// is read from its variable when the message arrives (it is known only at run time).
#define ON_MESSAGE(message, memberFxn)                                                             \
    {(UINT)(message), 0, 0, 0, nullptr, &AfxSig_lwl<&ThisClass::memberFxn>},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                         \
    {0xC000, 0, 0, 0, &(nMessageVariable), &AfxSig_lwl<&ThisClass::memberFxn>},

// Every WM_CTLCOLOR* message goes to the one handler; nCtlColor tells them apart.
#define ON_WM_CTLCOLOR()                                                                           \
    {WM_CTLCOLORMSGBOX, 0, 0, 0, nullptr, &AfxSig_hDWw<&ThisClass::OnCtlColor>},                   \
        {WM_CTLCOLOREDIT, 0, 0, 0, nullptr, &AfxSig_hDWw<&ThisClass::OnCtlColor>},                 \
        {WM_CTLCOLORLISTBOX, 0, 0, 0, nullptr, &AfxSig_hDWw<&ThisClass::OnCtlColor>},              \
        {WM_CTLCOLORBTN, 0, 0, 0, nullptr, &AfxSig_hDWw<&ThisClass::OnCtlColor>},                  \
        {WM_CTLCOLORDLG, 0, 0, 0, nullptr, &AfxSig_hDWw<&ThisClass::OnCtlColor>},                  \
        {WM_CTLCOLORSCROLLBAR, 0, 0, 0, nullptr, &AfxSig_hDWw<&ThisClass::OnCtlColor>},            \
        {WM_CTLCOLORSTATIC, 0, 0, 0, nullptr, &AfxSig_hDWw<&ThisClass::OnCtlColor>},

#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, nullptr, &AfxSig_is<&ThisClass::OnCreate>},
#define ON_WM_NCCREATE() {WM_NCCREATE, 0, 0, 0, nullptr, &AfxSig_bs<&ThisClass::OnNcCreate>},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnDestroy>},
#define ON_WM_NCDESTROY() {WM_NCDESTROY, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnNcDestroy>},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnClose>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnPaint>},
#define ON_WM_NCPAINT() {WM_NCPAINT, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnNcPaint>},
#define ON_WM_CANCELMODE() {WM_CANCELMODE, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnCancelMode>},
#define ON_WM_SYSCOLORCHANGE()                                                                     \
    {WM_SYSCOLORCHANGE, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnSysColorChange>},
#define ON_WM_CHILDACTIVATE()                                                                      \
    {WM_CHILDACTIVATE, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnChildActivate>},
#define ON_WM_MOUSELEAVE() {WM_MOUSELEAVE, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnMouseLeave>},
#define ON_WM_NCMOUSELEAVE()                                                                       \
    {WM_NCMOUSELEAVE, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnNcMouseLeave>},
#define ON_WM_ENTERSIZEMOVE()                                                                      \
    {WM_ENTERSIZEMOVE, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnEnterSizeMove>},
#define ON_WM_EXITSIZEMOVE()                                                                       \
    {WM_EXITSIZEMOVE, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnExitSizeMove>},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, nullptr, &AfxSig_vwii<&ThisClass::OnSize>},
#define ON_WM_MOVE() {WM_MOVE, 0, 0, 0, nullptr, &AfxSig_vii<&ThisClass::OnMove>},
#define ON_WM_SIZING() {WM_SIZING, 0, 0, 0, nullptr, &AfxSig_vwr<&ThisClass::OnSizing>},
#define ON_WM_MOVING() {WM_MOVING, 0, 0, 0, nullptr, &AfxSig_vwr<&ThisClass::OnMoving>},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, nullptr, &AfxSig_vW<&ThisClass::OnSetFocus>},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, nullptr, &AfxSig_vW<&ThisClass::OnKillFocus>},
#define ON_WM_CAPTURECHANGED()                                                                     \
    {WM_CAPTURECHANGED, 0, 0, 0, nullptr, &AfxSig_vW2<&ThisClass::OnCaptureChanged>},
#define ON_WM_ERASEBKGND() {WM_ERASEBKGND, 0, 0, 0, nullptr, &AfxSig_bD<&ThisClass::OnEraseBkgnd>},
#define ON_WM_KEYDOWN() {WM_KEYDOWN, 0, 0, 0, nullptr, &AfxSig_vwww<&ThisClass::OnKeyDown>},
#define ON_WM_KEYUP() {WM_KEYUP, 0, 0, 0, nullptr, &AfxSig_vwww<&ThisClass::OnKeyUp>},
#define ON_WM_CHAR() {WM_CHAR, 0, 0, 0, nullptr, &AfxSig_vwww<&ThisClass::OnChar>},
#define ON_WM_SYSKEYDOWN()                                                                         \
    {WM_SYSKEYDOWN, 0, 0, 0, nullptr, &AfxSig_vwww<&ThisClass::OnSysKeyDown>},
#define ON_WM_SYSKEYUP() {WM_SYSKEYUP, 0, 0, 0, nullptr, &AfxSig_vwww<&ThisClass::OnSysKeyUp>},
#define ON_WM_SYSCHAR() {WM_SYSCHAR, 0, 0, 0, nullptr, &AfxSig_vwww<&ThisClass::OnSysChar>},
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnMouseMove>},
#define ON_WM_LBUTTONDOWN()                                                                        \
    {WM_LBUTTONDOWN, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnLButtonDown>},
#define ON_WM_LBUTTONUP() {WM_LBUTTONUP, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnLButtonUp>},
#define ON_WM_LBUTTONDBLCLK()                                                                      \
    {WM_LBUTTONDBLCLK, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnLButtonDblClk>},
#define ON_WM_RBUTTONDOWN()                                                                        \
    {WM_RBUTTONDOWN, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnRButtonDown>},
#define ON_WM_RBUTTONUP() {WM_RBUTTONUP, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnRButtonUp>},
#define ON_WM_RBUTTONDBLCLK()                                                                      \
    {WM_RBUTTONDBLCLK, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnRButtonDblClk>},
#define ON_WM_MBUTTONDOWN()                                                                        \
    {WM_MBUTTONDOWN, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnMButtonDown>},
#define ON_WM_MBUTTONUP() {WM_MBUTTONUP, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnMButtonUp>},
#define ON_WM_MBUTTONDBLCLK()                                                                      \
    {WM_MBUTTONDBLCLK, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnMButtonDblClk>},
#define ON_WM_MOUSEHOVER() {WM_MOUSEHOVER, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnMouseHover>},
#define ON_WM_NCMOUSEMOVE()                                                                        \
    {WM_NCMOUSEMOVE, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnNcMouseMove>},
#define ON_WM_NCLBUTTONDOWN()                                                                      \
    {WM_NCLBUTTONDOWN, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnNcLButtonDown>},
#define ON_WM_NCLBUTTONUP()                                                                        \
    {WM_NCLBUTTONUP, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnNcLButtonUp>},
#define ON_WM_NCLBUTTONDBLCLK()                                                                    \
    {WM_NCLBUTTONDBLCLK, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnNcLButtonDblClk>},
#define ON_WM_NCRBUTTONDOWN()                                                                      \
    {WM_NCRBUTTONDOWN, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnNcRButtonDown>},
#define ON_WM_NCRBUTTONUP()                                                                        \
    {WM_NCRBUTTONUP, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnNcRButtonUp>},
#define ON_WM_NCMBUTTONDOWN()                                                                      \
    {WM_NCMBUTTONDOWN, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnNcMButtonDown>},
#define ON_WM_MOUSEWHEEL()                                                                         \
    {WM_MOUSEWHEEL, 0, 0, 0, nullptr, &AfxSig_bwsp<&ThisClass::OnMouseWheel>},
#define ON_WM_CONTEXTMENU()                                                                        \
    {WM_CONTEXTMENU, 0, 0, 0, nullptr, &AfxSig_vWp<&ThisClass::OnContextMenu>},
#define ON_WM_HSCROLL() {WM_HSCROLL, 0, 0, 0, nullptr, &AfxSig_vwwx<&ThisClass::OnHScroll>},
#define ON_WM_VSCROLL() {WM_VSCROLL, 0, 0, 0, nullptr, &AfxSig_vwwx<&ThisClass::OnVScroll>},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, nullptr, &AfxSig_vt<&ThisClass::OnTimer>},
#define ON_WM_SETCURSOR() {WM_SETCURSOR, 0, 0, 0, nullptr, &AfxSig_bWww<&ThisClass::OnSetCursor>},
#define ON_WM_NCHITTEST() {WM_NCHITTEST, 0, 0, 0, nullptr, &AfxSig_lp<&ThisClass::OnNcHitTest>},
#define ON_WM_GETMINMAXINFO()                                                                      \
    {WM_GETMINMAXINFO, 0, 0, 0, nullptr, &AfxSig_vMMI<&ThisClass::OnGetMinMaxInfo>},
#define ON_WM_NCCALCSIZE()                                                                         \
    {WM_NCCALCSIZE, 0, 0, 0, nullptr, &AfxSig_vbNCC<&ThisClass::OnNcCalcSize>},
#define ON_WM_WINDOWPOSCHANGING()                                                                  \
    {WM_WINDOWPOSCHANGING, 0, 0, 0, nullptr, &AfxSig_vPOS<&ThisClass::OnWindowPosChanging>},
#define ON_WM_WINDOWPOSCHANGED()                                                                   \
    {WM_WINDOWPOSCHANGED, 0, 0, 0, nullptr, &AfxSig_vPOS<&ThisClass::OnWindowPosChanged>},
#define ON_WM_SHOWWINDOW() {WM_SHOWWINDOW, 0, 0, 0, nullptr, &AfxSig_vbw<&ThisClass::OnShowWindow>},
#define ON_WM_MOUSEACTIVATE()                                                                      \
    {WM_MOUSEACTIVATE, 0, 0, 0, nullptr, &AfxSig_iWww<&ThisClass::OnMouseActivate>},
#define ON_WM_ACTIVATE() {WM_ACTIVATE, 0, 0, 0, nullptr, &AfxSig_vwWb<&ThisClass::OnActivate>},
#define ON_WM_ACTIVATEAPP()                                                                        \
    {WM_ACTIVATEAPP, 0, 0, 0, nullptr, &AfxSig_vbh<&ThisClass::OnActivateApp>},
#define ON_WM_NCACTIVATE() {WM_NCACTIVATE, 0, 0, 0, nullptr, &AfxSig_bb<&ThisClass::OnNcActivate>},
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, nullptr, &AfxSig_wv<&ThisClass::OnGetDlgCode>},
#define ON_WM_ENABLE() {WM_ENABLE, 0, 0, 0, nullptr, &AfxSig_vb<&ThisClass::OnEnable>},
#define ON_WM_SETTINGCHANGE()                                                                      \
    {WM_SETTINGCHANGE, 0, 0, 0, nullptr, &AfxSig_vws<&ThisClass::OnSettingChange>},
#define ON_WM_DRAWITEM() {WM_DRAWITEM, 0, 0, 0, nullptr, &AfxSig_vDRAW<&ThisClass::OnDrawItem>},
#define ON_WM_MEASUREITEM()                                                                        \
    {WM_MEASUREITEM, 0, 0, 0, nullptr, &AfxSig_vMEASURE<&ThisClass::OnMeasureItem>},
#define ON_WM_COMPAREITEM()                                                                        \
    {WM_COMPAREITEM, 0, 0, 0, nullptr, &AfxSig_iCOMPARE<&ThisClass::OnCompareItem>},
#define ON_WM_DELETEITEM()                                                                         \
    {WM_DELETEITEM, 0, 0, 0, nullptr, &AfxSig_vDELETE<&ThisClass::OnDeleteItem>},
#define ON_WM_VKEYTOITEM()                                                                         \
    {WM_VKEYTOITEM, 0, 0, 0, nullptr, &AfxSig_iwLw<&ThisClass::OnVKeyToItem>},
#define ON_WM_CHARTOITEM()                                                                         \
    {WM_CHARTOITEM, 0, 0, 0, nullptr, &AfxSig_iwLw<&ThisClass::OnCharToItem>},
#define ON_WM_INITMENU() {WM_INITMENU, 0, 0, 0, nullptr, &AfxSig_vM<&ThisClass::OnInitMenu>},
#define ON_WM_INITMENUPOPUP()                                                                      \
    {WM_INITMENUPOPUP, 0, 0, 0, nullptr, &AfxSig_vMwb<&ThisClass::OnInitMenuPopup>},
#define ON_WM_MENUSELECT()                                                                         \
    {WM_MENUSELECT, 0, 0, 0, nullptr, &AfxSig_vwwh<&ThisClass::OnMenuSelect>},
#define ON_WM_MENUCHAR() {WM_MENUCHAR, 0, 0, 0, nullptr, &AfxSig_lwwM<&ThisClass::OnMenuChar>},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, 0, nullptr, &AfxSig_vwl<&ThisClass::OnSysCommand>},
#define ON_WM_ENTERIDLE() {WM_ENTERIDLE, 0, 0, 0, nullptr, &AfxSig_vwW<&ThisClass::OnEnterIdle>},
#define ON_WM_PARENTNOTIFY()                                                                       \
    {WM_PARENTNOTIFY, 0, 0, 0, nullptr, &AfxSig_vwl<&ThisClass::OnParentNotify>},
#define ON_WM_MDIACTIVATE()                                                                        \
    {WM_MDIACTIVATE, 0, 0, 0, nullptr, &AfxSig_vMDI<&ThisClass::OnMDIActivate>},
#define ON_WM_DROPFILES() {WM_DROPFILES, 0, 0, 0, nullptr, &AfxSig_vDROP<&ThisClass::OnDropFiles>},
#define ON_WM_HELPINFO() {WM_HELPINFO, 0, 0, 0, nullptr, &AfxSig_bHELP<&ThisClass::OnHelpInfo>},
#define ON_WM_STYLECHANGED()                                                                       \
    {WM_STYLECHANGED, 0, 0, 0, nullptr, &AfxSig_viSS<&ThisClass::OnStyleChanged>},
#define ON_WM_STYLECHANGING()                                                                      \
    {WM_STYLECHANGING, 0, 0, 0, nullptr, &AfxSig_viSS<&ThisClass::OnStyleChanging>},
#define ON_WM_ENTERMENULOOP()                                                                      \
    {WM_ENTERMENULOOP, 0, 0, 0, nullptr, &AfxSig_vb<&ThisClass::OnEnterMenuLoop>},
#define ON_WM_EXITMENULOOP()                                                                       \
    {WM_EXITMENULOOP, 0, 0, 0, nullptr, &AfxSig_vb<&ThisClass::OnExitMenuLoop>},
#define ON_WM_FONTCHANGE() {WM_FONTCHANGE, 0, 0, 0, nullptr, &AfxSig_v<&ThisClass::OnFontChange>},
#define ON_WM_NCRBUTTONDBLCLK()                                                                    \
    {WM_NCRBUTTONDBLCLK, 0, 0, 0, nullptr, &AfxSig_vwp<&ThisClass::OnNcRButtonDblClk>},
