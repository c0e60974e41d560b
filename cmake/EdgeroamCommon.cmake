# Project-wide compile settings and helpers shared by every folder.

add_library(edgeroam_warnings INTERFACE)
if(MSVC)
  target_compile_options(edgeroam_warnings INTERFACE /W4 /WX)
else()
  target_compile_options(edgeroam_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Werror)
endif()

if(EDGEROAM_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(${_san})
endif()

if(EDGEROAM_FUZZ)
  # Coverage feedback from every library, not only from the fuzz targets.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(WIN32)
  # Windows 7 API level and ANSI Win32 names.
  add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
endif()

# GoogleTest from Debian's sources (package googletest); nothing is downloaded.
macro(edgeroam_add_googletest)
  set(EDGEROAM_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
  if(NOT EXISTS ${EDGEROAM_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found at ${EDGEROAM_GTEST_SOURCE} (apt-get install googletest)")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${EDGEROAM_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endmacro()

# edgeroam_add_test(NAME n LABEL unit|windows SOURCES ... [LIBS ...] [GUI])
# One test program, one CTest test. Windows test programs run through the
# cross-compiling emulator (Wine) that the toolchain file names.
function(edgeroam_add_test)
  cmake_parse_arguments(T "GUI" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock_main edgeroam_warnings)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES LABELS ${T_LABEL} TIMEOUT 300)
endfunction()
