# The list windows' state images (bitmap 178, 16 pixels an image, red is transparent): none, a
# breakpoint, a disabled breakpoint, a check mark. Letters as in shell/toolbar_glyphs.cmake.
set(MOX_GLYPH_LIST_STATE_NONE
    "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr" "rrrrrrrrrrrrrrrr")
set(MOX_GLYPH_LIST_STATE_BREAK
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr"
    "rrrrrRRRRRRrrrrr"
    "rrrrRRRRRRRRrrrr"
    "rrrRRRRRRRRRRrrr"
    "rrrRRRRRRRRRRrrr"
    "rrrRRRRRRRRRRrrr"
    "rrrRRRRRRRRRRrrr"
    "rrrRRRRRRRRRRrrr"
    "rrrRRRRRRRRRRrrr"
    "rrrrRRRRRRRRrrrr"
    "rrrrrRRRRRRrrrrr"
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr")
set(MOX_GLYPH_LIST_STATE_BREAK_OFF
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr"
    "rrrrrRRRRRRrrrrr"
    "rrrrRRrrrrRRrrrr"
    "rrrRRrrrrrrRRrrr"
    "rrrRrrrrrrrrRrrr"
    "rrrRrrrrrrrrRrrr"
    "rrrRrrrrrrrrRrrr"
    "rrrRrrrrrrrrRrrr"
    "rrrRRrrrrrrRRrrr"
    "rrrrRRrrrrRRrrrr"
    "rrrrrRRRRRRrrrrr"
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr")
set(MOX_GLYPH_LIST_STATE_CHECK
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrGrrr"
    "rrrrrrrrrrrGGrrr"
    "rrrrrrrrrrGGGrrr"
    "rrrrrrrrrGGGrrrr"
    "rrrGrrrrGGGrrrrr"
    "rrrGGrrGGGrrrrrr"
    "rrrGGGGGGrrrrrrr"
    "rrrrGGGGrrrrrrrr"
    "rrrrrGGrrrrrrrrr"
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr"
    "rrrrrrrrrrrrrrrr")
