# The same sources as 64-bit programs, for machines that cannot run 32-bit code.
set(MOX_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
