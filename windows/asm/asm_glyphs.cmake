# The assembler window's icons, 16 x 16 pixels each (cmake/strips.cmake makes them icon
# resources, doubled for 32 x 32). Letters as in shell/toolbar_glyphs.cmake; light grey (.) is
# transparent.

# 145, the frame: a listing of addresses and opcodes whose current line stands out in yellow.
set(MOX_GLYPH_ASM_WINDOW
    "................"
    ".kkkkkkkkkkkkkk."
    ".kBBBBBBBBBBBBk."
    ".kkkkkkkkkkkkkk."
    ".kwwwwwwwwwwwwk."
    ".kwbbwsssswwwwk."
    ".kwwwwwwwwwwwwk."
    ".kwbbwsssssswwk."
    ".kyyyyyyyyyyyyk."
    ".kybbyssssssyyk."
    ".kyyyyyyyyyyyyk."
    ".kwbbwssssswwwk."
    ".kwwwwwwwwwwwwk."
    ".kwbbwsswwwwwwk."
    ".kwwwwwwwwwwwwk."
    ".kkkkkkkkkkkkkk.")
# 182, a line without a mark: nothing.
set(MOX_GLYPH_ASM_PLAIN
    "................" "................" "................" "................"
    "................" "................" "................" "................"
    "................" "................" "................" "................"
    "................" "................" "................" "................")
# 183, the address pane's marked line: an arrow pointing at it.
set(MOX_GLYPH_ASM_MARK
    "................"
    "................"
    "................"
    ".......k........"
    ".......kk......."
    ".......kyk......"
    "..kkkkkkyyk....."
    "..kyyyyyyyyk...."
    "..kyyyyyyyyk...."
    "..kkkkkkyyk....."
    ".......kyk......"
    ".......kk......."
    ".......k........"
    "................"
    "................"
    "................")
# 184, a line with a breakpoint: a red disk.
set(MOX_GLYPH_ASM_BREAKPOINT
    "................"
    "................"
    "................"
    "......RRRR......"
    "....RRrrrrRR...."
    "....RwwrrrrR...."
    "...RrwwrrrrrR..."
    "...RrrrrrrrrR..."
    "...RrrrrrrrrR..."
    "...RrrrrrrrrR..."
    "....RrrrrrrR...."
    "....RRrrrrRR...."
    "......RRRR......"
    "................"
    "................"
    "................")
# 185, a code line, where a breakpoint can go: a small hollow ring.
set(MOX_GLYPH_ASM_CODE
    "................"
    "................"
    "................"
    "................"
    "................"
    "......ssss......"
    ".....swwwws....."
    ".....swwwws....."
    ".....swwwws....."
    ".....swwwws....."
    "......ssss......"
    "................"
    "................"
    "................"
    "................"
    "................")
