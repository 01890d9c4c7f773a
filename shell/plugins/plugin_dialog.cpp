#include "shell/plugins/plugin_dialog.h"

#include "shell/plugins/plugin_protocol.h"
#include "shell/plugins/plugin_walk.h"

#include <vector>

BEGIN_MESSAGE_MAP(CTreePLG, SECTreeCtrl)
ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, OnSelChanged)
END_MESSAGE_MAP()

void CTreePLG::OnSelChanged(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
}

BEGIN_MESSAGE_MAP(CPlugin, CDialog)
ON_BN_CLICKED(IDC_PLUGIN_PROTOCOL, OnProtocol)
END_MESSAGE_MAP()

namespace {
// Share of the tree's client width each column takes, in percent.
const int kColumnShares[] = {20, 30, 8, 12, 30};
const wchar_t* const kColumnTitles[] = {L"Plug-in", L"Description", L"Version", L"Command",
                                        L"Path"};
} // namespace

CPlugin::CPlugin(CWnd* pParentWnd) : CDialog(IDD_PLUGINS, pParentWnd) {}

BOOL CPlugin::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!m_tree.CreateFromDlgItem(IDC_PLUGIN_TREE, this))
        return TRUE;
    m_tree.EnableSubItemTextStorage(TRUE);
    m_tree.ModifyTreeStyles(0, 55, 0, TVXS_COLUMNHEADER, FALSE);
    m_tree.ModifyStyles(0, 4, 0, 0x6C00000, FALSE);
    InsertColumns();
    FillTree();
    return TRUE;
}

void CPlugin::InsertColumns() {
    CRect client;
    m_tree.GetClientRect(&client);
    const int width = client.Width();
    m_tree.SetColumnText(0, kColumnTitles[0]);
    m_tree.SetColumnWidth(0, width * kColumnShares[0] / 100);
    for (int i = 1; i < 5; ++i)
        m_tree.InsertColumnArgs(i, kColumnTitles[i], LVCFMT_LEFT, width * kColumnShares[i] / 100,
                                -1, -1, FALSE);
}

void CPlugin::FillTree() {
    std::vector<PluginInfoNode*> toExpand;
    const PluginWalkResult walk = WalkShownPlugins(
        m_pRoot, [this, &toExpand](PluginInfoNode& node, PluginInfoNode* parent, int) {
            const HTREEITEM hParent =
                parent != nullptr ? static_cast<HTREEITEM>(parent->item) : TVI_ROOT;
            node.item = nullptr;
            if (hParent == NULL)
                return; // its parent could not be shown
            const HTREEITEM hItem = m_tree.InsertItem(PluginText(node.name), hParent, TVI_LAST);
            node.item = hItem;
            if (hItem == NULL)
                return;
            m_tree.SetItemText(hItem, 1, PluginText(node.description));
            m_tree.SetItemText(hItem, 2, PluginText(node.version));
            m_tree.SetItemText(hItem, 3, PluginText(node.command));
            m_tree.SetItemText(hItem, 4, PluginText(node.path));
            if ((node.flags & PluginFlags::expanded) && !(node.flags & PluginFlags::collapsed))
                toExpand.push_back(&node);
        });
    // Children exist only once the whole tree is in.
    for (PluginInfoNode* node : toExpand)
        m_tree.Expand(static_cast<HTREEITEM>(node->item), TVE_EXPAND);
    if (m_pRoot != nullptr)
        if (HTREEITEM hFirst = m_tree.GetItemFromIndex(0))
            m_tree.Select(hFirst, TVGN_CARET);
    if (walk.cut) {
        CString text;
        text.Format(L"The plug-in list nests deeper than %d levels, repeats entries or has more "
                    L"than %d of them. Those entries are not shown.",
                    kMaxPluginDepth, kMaxPluginRecords);
        ::MessageBoxW(m_hWnd, text, L"Show Plug-ins", MB_OK | MB_ICONWARNING);
    }
}

void CPlugin::OnProtocol() {
    CFileDialog dialog(FALSE, L"txt", NULL, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, kProtocolFilter,
                       this);
    dialog.m_ofn.lpstrTitle = kProtocolTitle;
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    CString reason;
    if (WriteProtocolFile(path, PluginProtocolText(m_pRoot), reason))
        return;
    CString text;
    text.Format(L"The plug-in protocol could not be written to\n%s\n\n%s", path, reason);
    ::MessageBoxW(m_hWnd, text, kProtocolTitle, MB_OK | MB_ICONSTOP);
}
