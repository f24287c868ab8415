# Cross build for Windows with MinGW-w64 (x86_64), run under Wine.
set(QV_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
