# 64-bit Windows: the same sources for x86_64.
set(VINTOR_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
