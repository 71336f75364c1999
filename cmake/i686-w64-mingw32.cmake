# 32-bit Windows build with MinGW-w64: the product.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# The export lists (*.def) name plain functions, as plug-in hosts look them up. On
# i686 a __stdcall symbol carries an @N suffix: the fix-up binds the plain name to
# it without a warning, and --kill-at keeps the suffix out of the export table.
string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " -Wl,--enable-stdcall-fixup,--kill-at")
string(APPEND CMAKE_MODULE_LINKER_FLAGS_INIT " -Wl,--enable-stdcall-fixup,--kill-at")
