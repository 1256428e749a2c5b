# GoogleTest from the distribution's sources, built with this project's
# compiler (so it serves the native and the mingw builds alike).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Third-party code: its warnings are not ours to fix.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
else()
  message(FATAL_ERROR "GoogleTest sources not found in /usr/src/googletest (apt-get install googletest)")
endif()

# The i686 build's programs run under the 32-bit Wine that tools/wine32-setup
# unpacks into the build tree (cmake/wine-run.sh --wine32), in a prefix that
# reports Windows XP. VELOMAR_WINXP names Windows XP as Wine does for a
# program of this build's width: the 64-bit one is XP x64 (5.2).
if(CMAKE_CROSSCOMPILING AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(VELOMAR_WINE32 ${CMAKE_BINARY_DIR}/wine32)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh --wine32 ${VELOMAR_WINE32}
                                    ${VELOMAR_WINE_PREFIX})
  set(VELOMAR_WINXP winxp)
else()
  set(VELOMAR_WINXP winxp64)
endif()

# velomar_uses_wine(TEST...): tests that run Windows programs under Wine
# share the one wineserver the run keeps (tests/CMakeLists.txt).
function(velomar_uses_wine)
  if(CMAKE_CROSSCOMPILING)
    set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED wine_server)
  endif()
endfunction()

# velomar_add_test(NAME name SOURCES ... LIBS ... [ARGS ...] [PROPERTIES ...]
#                  [TSAN] [NATIVE_ONLY] [WINDOWS_ONLY] [USER_FOLDERS])
# One ctest test per program: under Wine each process costs about a second.
# LIBS are the libraries under test (with what they link to). Portable
# suites build for both native and win64 (run under Wine there). TSAN marks
# the suites that also build in the ThreadSanitizer preset, which builds
# nothing else. USER_FOLDERS marks the suites that point the user's
# application-data folder at one of their own: on Windows that is a value
# of the shared Wine prefix's registry, so under Wine they take turns.
function(velomar_add_test)
  cmake_parse_arguments(T "TSAN;NATIVE_ONLY;WINDOWS_ONLY;USER_FOLDERS" "NAME" "SOURCES;LIBS;ARGS;PROPERTIES" ${ARGN})
  if(VELOMAR_TSAN_ONLY AND NOT T_TSAN)
    return()
  endif()
  if((T_NATIVE_ONLY AND WIN32) OR (T_WINDOWS_ONLY AND NOT WIN32))
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} velomar_test_support GTest::gtest_main)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
  if(T_PROPERTIES)
    set_tests_properties(${T_NAME} PROPERTIES ${T_PROPERTIES})
  endif()
  velomar_uses_wine(${T_NAME})
  if(T_USER_FOLDERS AND WIN32)
    set_property(TEST ${T_NAME} APPEND PROPERTY RESOURCE_LOCK user_shell_folders)
  endif()
endfunction()
