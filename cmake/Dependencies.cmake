# Outside libraries, built for mingw by tools/install-deps.sh from the
# distribution's packages.
set(TK_DEPS_DIR "/opt/tandukovu-deps" CACHE PATH "Where install-deps.sh puts cross-built libraries")

add_library(pugixml STATIC IMPORTED GLOBAL)
set_target_properties(pugixml PROPERTIES
  IMPORTED_LOCATION ${TK_DEPS_DIR}/pugixml/lib/libpugixml.a
  INTERFACE_INCLUDE_DIRECTORIES ${TK_DEPS_DIR}/pugixml/include
  INTERFACE_COMPILE_DEFINITIONS PUGIXML_WCHAR_MODE)
if(NOT EXISTS ${TK_DEPS_DIR}/pugixml/lib/libpugixml.a)
  message(FATAL_ERROR "pugixml for mingw is missing: run tools/install-deps.sh")
endif()

# GoogleTest from the distribution's source, compiled with the cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
