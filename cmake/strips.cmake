# mox_strip_resources(VAR BITMAP id {GLYPHS name... | IMAGES n} [SCALE k]
#                     [TOOLBAR id COMMANDS id...]): appends to VAR the resource-script text of a
# strip of button images, each 16k x 15k pixels, as a 4-bit bitmap resource in the 16-colour
# palette (black, both greys, white and colours), and optionally its toolbar resource (version 1,
# the image size, the command ids, 0 a separator). The images are the glyphs named, in order
# (glyph n is the list MOX_GLYPH_<n>: 15 rows of 16 palette letters, see MOX_STRIP_LETTERS), or
# n times a plain framed square; SCALE k draws every pixel as k x k.
# The text is written with raw data, so no binary file has to be kept in the sources.

# Colour-table entries 0x00RRGGBB, in index order, and the letter that names each in a glyph.
set(MOX_STRIP_PALETTE
    0x000000 0x800000 0x008000 0x808000 0x000080 0x800080 0x008080 0xC0C0C0
    0x808080 0xFF0000 0x00FF00 0xFFFF00 0x0000FF 0xFF00FF 0x00FFFF 0xFFFFFF)
set(MOX_STRIP_LETTERS k R G Y B M C . s r g y b m c w)
set(MOX_STRIP_DIGITS 0 1 2 3 4 5 6 7 8 9 A B C D E F)
# For strips whose images need only stand out from the button face.
set(MOX_GLYPH_SQUARE
    "................" "..kkkkkkkkkkk..." "..krrrrrrrrrks.." "..krwwwwwwwrks.."
    "..krw.....wrks.." "..krw.bbb.wrks.." "..krw.bbb.wrks.." "..krw.bbb.wrks.."
    "..krw.....wrks.." "..krwwwwwwwrks.." "..krrrrrrrrrks.." "..kkkkkkkkkkks.."
    "...sssssssssss.." "................" "................")

# OUT: the glyph's rows as hex digits, one a pixel. A glyph of the wrong shape or with a letter
# outside the palette stops the configuration.
function(mox_glyph_digits out name)
  if(NOT DEFINED MOX_GLYPH_${name})
    message(FATAL_ERROR "toolbar image ${name}: no MOX_GLYPH_${name}")
  endif()
  set(rows ${MOX_GLYPH_${name}})
  list(LENGTH rows count)
  if(NOT count EQUAL 15)
    message(FATAL_ERROR "toolbar image ${name}: ${count} rows, not 15")
  endif()
  set(digits "")
  foreach(row ${rows})
    if(NOT row MATCHES "^[kRGYBMC.srgybmcw]+$")
      message(FATAL_ERROR "toolbar image ${name}: row \"${row}\" has a letter outside the palette")
    endif()
    string(LENGTH "${row}" n)
    if(NOT n EQUAL 16)
      message(FATAL_ERROR "toolbar image ${name}: row \"${row}\" is ${n} pixels, not 16")
    endif()
    # The digits B and C are letters too: those two are replaced before any digit is written.
    foreach(i 4 6 0 1 2 3 5 7 8 9 10 11 12 13 14 15)
      list(GET MOX_STRIP_LETTERS ${i} letter)
      list(GET MOX_STRIP_DIGITS ${i} digit)
      string(REPLACE "${letter}" "${digit}" row "${row}")
    endforeach()
    list(APPEND digits "${row}")
  endforeach()
  set(${out} "${digits}" PARENT_SCOPE)
endfunction()

function(mox_strip_resources var)
  cmake_parse_arguments(S "" "BITMAP;IMAGES;SCALE;TOOLBAR" "GLYPHS;COMMANDS" ${ARGN})
  if(NOT S_SCALE)
    set(S_SCALE 1)
  endif()
  if(NOT S_GLYPHS)
    foreach(i RANGE 1 ${S_IMAGES})
      list(APPEND S_GLYPHS SQUARE)
    endforeach()
  endif()
  list(LENGTH S_GLYPHS images)
  math(EXPR cx "16 * ${S_SCALE}")
  math(EXPR cy "15 * ${S_SCALE}")
  math(EXPR width "${cx} * ${images}")
  set(text "${${var}}")
  if(S_TOOLBAR)
    list(LENGTH S_COMMANDS count)
    string(REPLACE ";" ", " ids "${S_COMMANDS}")
    string(APPEND text "${S_TOOLBAR} 241\nBEGIN\n  1, ${cx}, ${cy}, ${count}, ${ids}\nEND\n")
  endif()
  string(APPEND text "${S_BITMAP} 2\nBEGIN\n  40L, ${width}L, ${cy}L, 1, 4, 0L, 0L, 0L, 0L, 0L, 0L")
  foreach(colour ${MOX_STRIP_PALETTE})
    string(APPEND text ", ${colour}L")
  endforeach()
  string(APPEND text "\n")
  # A glyph used again is converted once.
  set(index 0)
  foreach(name ${S_GLYPHS})
    if(NOT DEFINED digits_${name})
      mox_glyph_digits(digits_${name} ${name})
    endif()
    set(glyph${index} "${digits_${name}}")
    math(EXPR index "${index} + 1")
  endforeach()
  math(EXPR lastImage "${images} - 1")
  # Rows bottom-up; a strip row is the images' rows side by side, cx / 2 bytes each, written as
  # 16-bit words whose low byte comes first.
  foreach(r RANGE 14 0 -1)
    set(pixels "")
    foreach(i RANGE ${lastImage})
      list(GET glyph${i} ${r} row)
      if(S_SCALE EQUAL 1)
        string(APPEND pixels "${row}")
      else()
        foreach(at RANGE 15)
          string(SUBSTRING "${row}" ${at} 1 p)
          string(REPEAT "${p}" ${S_SCALE} scaled)
          string(APPEND pixels "${scaled}")
        endforeach()
      endif()
    endforeach()
    set(words "")
    string(LENGTH "${pixels}" n)
    math(EXPR last "${n} / 4 - 1")
    foreach(at RANGE 0 ${last})
      math(EXPR from "${at} * 4")
      string(SUBSTRING "${pixels}" ${from} 2 lowByte)
      math(EXPR from "${from} + 2")
      string(SUBSTRING "${pixels}" ${from} 2 highByte)
      string(APPEND words ", 0x${highByte}${lowByte}")
    endforeach()
    string(REPEAT "${words}\n" ${S_SCALE} scaledRows)
    string(APPEND text "${scaledRows}")
  endforeach()
  string(APPEND text "END\n")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()
