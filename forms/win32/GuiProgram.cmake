# edgeroam_add_gui_program(TARGET name SOURCES ... [RESOURCES ...] [LIBS ...])
# A Windows program without a console, on the form layer, with the
# application manifest compiled in. RESOURCES are the program's own .rc files
# (icon "MAINICON", version, images).
set(EDGEROAM_WIN32_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "")

# Adds the application manifest (common controls 6, DPI awareness) to a target.
function(edgeroam_add_manifest target)
  set(EDGEROAM_MANIFEST_NAME ${target})
  set(EDGEROAM_MANIFEST_FILE ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${EDGEROAM_WIN32_DIR}/app.manifest ${EDGEROAM_MANIFEST_FILE} @ONLY)
  configure_file(${EDGEROAM_WIN32_DIR}/manifest.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest.rc)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest.rc PROPERTIES
    OBJECT_DEPENDS ${EDGEROAM_MANIFEST_FILE})
endfunction()

function(edgeroam_add_gui_program)
  cmake_parse_arguments(P "" "TARGET" "SOURCES;RESOURCES;LIBS" ${ARGN})
  if(NOT P_TARGET OR NOT P_SOURCES)
    message(FATAL_ERROR "edgeroam_add_gui_program needs TARGET and SOURCES")
  endif()
  add_executable(${P_TARGET} WIN32 ${P_SOURCES} ${P_RESOURCES})
  target_link_libraries(${P_TARGET} PRIVATE ${P_LIBS} edgeroam_forms edgeroam_warnings)
  # Shipped without symbols: a statically linked program stays well under 512 KiB.
  target_link_options(${P_TARGET} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
  edgeroam_add_manifest(${P_TARGET})
endfunction()
