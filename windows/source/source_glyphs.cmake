# The source window's frame icon, 16 x 16 pixels (cmake/strips.cmake makes it an icon resource,
# doubled for 32 x 32). Letters as in shell/toolbar_glyphs.cmake; light grey (.) is transparent.

# 146, the frame: a page of source text with its corner turned, the current line in yellow.
set(MOX_GLYPH_SOURCE_WINDOW
    "..kkkkkkkkkk...."
    "..kwwwwwwwwkk..."
    "..kwwwwwwwwksk.."
    "..kwbbbwwwwkkkk."
    "..kwwwwwwwwwwwk."
    "..kwwbbbbbwwwwk."
    "..kwwwwwwwwwwwk."
    "..kyyyyyyyyyyyk."
    "..kyyssssssyyyk."
    "..kyyyyyyyyyyyk."
    "..kwwwwwwwwwwwk."
    "..kwwbbbbwwwwwk."
    "..kwwwwwwwwwwwk."
    "..kwbwwwwwwwwwk."
    "..kwwwwwwwwwwwk."
    "..kkkkkkkkkkkkk.")
