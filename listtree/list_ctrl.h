// SECListCtrl: the list as a child control.
#pragma once

#include "listtree/list_base.h"

class SECListCtrl : public SECListBaseC {
    DECLARE_DYNAMIC(SECListCtrl)
public:
    SECListCtrl();
    ~SECListCtrl() override;

protected:
    DECLARE_MESSAGE_MAP()
};
