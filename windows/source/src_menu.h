// The source window's context menu: the run, breakpoint, selection, bookmark and coverage
// items for the caret line of the view, appended to the popup.
#pragma once

#include "framework/afx.h"

class CEditController;
class CTarvikView;

void BuildSourceContextMenu(CEditController& controller, CMenu& popup, CTarvikView& view);
