# The program folder as a user has it, and the download for Windows users: a ZIP
# holding the program, the console converter, the Netpbm plug-in, the glyph sets in
# data\ and a short read-me; one per build, glyphrane-VERSION-win32.zip from the
# i686 build, -win64.zip from the x86_64 one.
#   cmake --build build/win32 --target package
#   cmake --install build/win32 --prefix FOLDER      (the folder tools/run uses)
if(NOT WIN32)
  return()
endif()

install(TARGETS glyphrane glyphrane_cli RUNTIME DESTINATION .)
install(TARGETS netpbm_plugin LIBRARY DESTINATION .)
file(GLOB glyph_sets ${PROJECT_SOURCE_DIR}/data/*.txt)
install(FILES ${glyph_sets} DESTINATION data)

# The read-me goes out as the program speaks: code page 932 with CR LF line ends,
# which every Notepad of the addressed systems opens correctly.
set(readme_source ${PROJECT_SOURCE_DIR}/resources/readme-windows.txt)
set(readme ${CMAKE_BINARY_DIR}/packaging/readme.txt)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
execute_process(COMMAND sh -c "sed 's/$/\r/' \"$0\" | iconv -f UTF-8 -t CP932" ${readme_source}
                OUTPUT_FILE ${readme} RESULT_VARIABLE readme_failed)
if(readme_failed)
  message(FATAL_ERROR "cannot convert ${readme_source} to code page 932")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme_source})
install(FILES ${readme} DESTINATION .)

# The sample picture, for tools/run's folder only: not part of the download.
install(FILES ${PROJECT_SOURCE_DIR}/data/samples/rose.jpg DESTINATION .
        COMPONENT samples EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Glyphrane)
set(CPACK_PACKAGE_VENDOR Glyphrane)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_PACKAGE_FILE_NAME glyphrane-${PROJECT_VERSION}-win64)
else()
  set(CPACK_PACKAGE_FILE_NAME glyphrane-${PROJECT_VERSION}-win32)
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
