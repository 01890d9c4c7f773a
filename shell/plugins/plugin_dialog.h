// "Show Plug-ins": the host's loaded libraries and plug-ins in a multi-column tree, and the
// "&Protocol" button that writes them to a text file.
#pragma once

#include "framework/afx.h"
#include "ifac/h/plugininfo.h"
#include "listtree/tree_ctrl.h"

enum {
    IDD_PLUGINS = 177,
    IDC_PLUGIN_TREE = 1009,
    IDC_PLUGIN_PROTOCOL = 1010,
};

// The tree of the dialog: selection changes need no answer.
class CTreePLG : public SECTreeCtrl {
protected:
    afx_msg void OnSelChanged(NMHDR* pNotify, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

class CPlugin : public CDialog {
public:
    explicit CPlugin(CWnd* pParentWnd = NULL);

    // The host's root record; set before the dialog runs. The dialog writes the tree item of
    // every record it shows into the record's first word.
    PluginInfoNode* m_pRoot = nullptr;

    CTreePLG& Tree() { return m_tree; }

    static constexpr const wchar_t* kProtocolTitle = L"Plug-in Protocol";
    static constexpr const wchar_t* kProtocolFilter = L"Write Plug-in Protocol (*.txt)|*.txt|";

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnProtocol();
    DECLARE_MESSAGE_MAP()

private:
    void InsertColumns();
    void FillTree();

    CTreePLG m_tree;
};
