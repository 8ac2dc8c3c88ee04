# Settings every target of the tree shares.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800
                        STRICT)
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wall> $<$<COMPILE_LANGUAGE:CXX>:-Wextra>
                    $<$<COMPILE_LANGUAGE:CXX>:-Wno-unused-parameter>
                    $<$<COMPILE_LANGUAGE:CXX>:-Wno-missing-field-initializers>
                    $<$<COMPILE_LANGUAGE:CXX>:-Wno-cast-function-type>)
# Static: the programs run with no mingw runtime DLLs beside them.
add_link_options(-static -static-libgcc -static-libstdc++)

set(TK_WIN32_LIBS msimg32 comctl32 comdlg32 shell32 shlwapi wtsapi32 version psapi
                  ole32 oleaut32 uuid rpcrt4 gdi32 user32 advapi32)

# tk_program(NAME SOURCES...): a GUI program laid into the program folder.
function(tk_program name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_options(${name} PRIVATE -municode)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TK_PROGRAM_DIR})
  # The debug information goes to program/.debug/, linked by name: Wine
  # copies an image whose sections are not page aligned into private memory,
  # debug sections and all (16 MB of the tray program's idle footprint, and
  # read again at every start).
  set(debug ${TK_PROGRAM_DIR}/.debug/${name}.exe.debug)
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TK_PROGRAM_DIR}/.debug
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${name}> ${debug}
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=${debug} $<TARGET_FILE:${name}>
    VERBATIM)
endfunction()

find_package(Python3 REQUIRED COMPONENTS Interpreter)

# tk_icon(OUT DESIGN): a program icon drawn by tools/skinart/icons.py
# (DESIGN: config, systray or tray).
function(tk_icon out design)
  if(NOT design MATCHES "^(config|systray|tray)$")
    message(FATAL_ERROR "tk_icon: no icon design '${design}' (config, systray or tray)")
  endif()
  get_filename_component(name ${out} NAME_WE)
  add_custom_command(OUTPUT ${out}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make-icon.py ${out} ${design}
            ${CMAKE_CURRENT_BINARY_DIR}/${name}-icon
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/make-icon.py ${PROJECT_SOURCE_DIR}/tools/skinart/icons.py
            ${PROJECT_SOURCE_DIR}/tools/skinart/raster.py ${PROJECT_SOURCE_DIR}/tools/skinart/tokens.py VERBATIM)
endfunction()

# tk_folder_library(NAME LIBS...): a static library of every .cpp file in the
# calling folder (an interface library while the folder has none yet).
function(tk_folder_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# tk_program_resources(PROGRAM ICON_DESIGN RC_FILE [ICON_FILE DESIGN]...): the
# program's icon (PROGRAM.ico), any further icons its resource script names,
# and the common-controls manifest the script includes.
function(tk_program_resources program design rc)
  set(ico ${CMAKE_CURRENT_BINARY_DIR}/${program}.ico)
  tk_icon(${ico} ${design})
  set(more ${ARGN})
  while(more)
    list(POP_FRONT more name extra_design)
    tk_icon(${CMAKE_CURRENT_BINARY_DIR}/${name} ${extra_design})
    list(APPEND ico ${CMAKE_CURRENT_BINARY_DIR}/${name})
  endwhile()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/common-controls.manifest
                 ${CMAKE_CURRENT_BINARY_DIR}/common-controls.manifest COPYONLY)
  set_source_files_properties(${rc} PROPERTIES
    OBJECT_DEPENDS "${ico};${CMAKE_CURRENT_BINARY_DIR}/common-controls.manifest")
  target_sources(${program} PRIVATE ${ico})
  target_include_directories(${program} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
