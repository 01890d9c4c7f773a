# mox_strip_resources(VAR BITMAP id IMAGES n [SCALE k] [TOOLBAR id COMMANDS id...]): appends to
# VAR the resource-script text of a strip of n button images, each 16k x 15k pixels, as a
# 4-bit bitmap resource in the 16-colour palette (black, both greys, white and colours), and
# optionally its toolbar resource (version 1, the image size, the command ids, 0 a separator).
# The text is written with raw data, so no binary file has to be kept in the sources.
set(MOX_STRIP_GLYPH
    "7777777777777777" "7700000000000777" "7709999999990877" "7709FFFFFFF90877"
    "7709F77777F90877" "7709F7CCC7F90877" "7709F7CCC7F90877" "7709F7CCC7F90877"
    "7709F77777F90877" "7709FFFFFFF90877" "7709999999990877" "7700000000000877"
    "7778888888888877" "7777777777777777" "7777777777777777")
# Colour-table entries 0x00RRGGBB, in index order.
set(MOX_STRIP_PALETTE
    0x000000 0x800000 0x008000 0x808000 0x000080 0x800080 0x008080 0xC0C0C0
    0x808080 0xFF0000 0x00FF00 0xFFFF00 0x0000FF 0xFF00FF 0x00FFFF 0xFFFFFF)

function(mox_strip_resources var)
  cmake_parse_arguments(S "" "BITMAP;IMAGES;SCALE;TOOLBAR" "COMMANDS" ${ARGN})
  if(NOT S_SCALE)
    set(S_SCALE 1)
  endif()
  math(EXPR cx "16 * ${S_SCALE}")
  math(EXPR cy "15 * ${S_SCALE}")
  math(EXPR width "${cx} * ${S_IMAGES}")
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
  # Rows bottom-up; one image row is cx pixels = cx / 2 bytes, written as 16-bit words whose
  # low byte comes first.
  list(REVERSE MOX_STRIP_GLYPH)
  foreach(row ${MOX_STRIP_GLYPH})
    set(pixels "")
    string(LENGTH "${row}" n)
    math(EXPR last "${n} - 1")
    foreach(i RANGE ${last})
      string(SUBSTRING "${row}" ${i} 1 p)
      string(REPEAT "${p}" ${S_SCALE} scaled)
      string(APPEND pixels "${scaled}")
    endforeach()
    set(words "")
    string(LENGTH "${pixels}" n)
    math(EXPR last "${n} / 4 - 1")
    foreach(i RANGE ${last})
      math(EXPR at "${i} * 4")
      string(SUBSTRING "${pixels}" ${at} 4 quad)
      string(SUBSTRING "${quad}" 0 2 lowByte)
      string(SUBSTRING "${quad}" 2 2 highByte)
      string(APPEND words ", 0x${highByte}${lowByte}")
    endforeach()
    string(REPEAT "${words}" ${S_IMAGES} stripRow)
    string(REPEAT "${stripRow}\n" ${S_SCALE} scaledRows)
    string(APPEND text "${scaledRows}")
  endforeach()
  string(APPEND text "END\n")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()
