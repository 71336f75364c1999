# 64-bit Windows build with MinGW-w64: the same sources, for machines that do not
# run 32-bit x86 code (and for 64-bit plug-ins). x86_64 has one calling
# convention and no export name decoration, so the export lists apply as they are.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
