// The drawing floor in one header: theme entries, colours, toolkit colours and the flat look,
// image effects, embossing, system-colour bitmaps and the off-screen DC.
#pragma once

#include "toolbars/drawing/colors.h"
#include "toolbars/drawing/ditherbrush.h"
#include "toolbars/drawing/emboss.h"
#include "toolbars/drawing/imageeffects.h"
#include "toolbars/drawing/memdc.h"
#include "toolbars/drawing/syscolorbitmap.h"
#include "toolbars/drawing/themeapi.h"
#include "toolbars/drawing/toolkitcolors.h"
