# The layers of the program are static libraries, each linking only to the
# layers below it. A library sees the headers of its own folder and of the
# libraries it links to, and nothing else: every library gets an include
# folder of its own in the build tree holding one link, named like its
# source folder, to that folder. An #include that reaches up a layer then
# finds no header and the build fails.
#
# velomar_library(NAME [FOLDER folder] SOURCES ... [WIN32_SOURCES ...]
#                 [POSIX_SOURCES ...] [DEPENDS ...])
# FOLDER defaults to the current source folder's name; DEPENDS are the
# libraries below (velomar_* or system ones), linked publicly. A library
# without sources is headers alone (an interface library).
function(velomar_library name)
  cmake_parse_arguments(L "" "FOLDER" "SOURCES;WIN32_SOURCES;POSIX_SOURCES;DEPENDS" ${ARGN})
  if(NOT L_FOLDER)
    get_filename_component(L_FOLDER ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()
  set(sources ${L_SOURCES})
  if(WIN32)
    list(APPEND sources ${L_WIN32_SOURCES})
  else()
    list(APPEND sources ${L_POSIX_SOURCES})
  endif()
  set(scope PUBLIC)
  if(sources)
    add_library(${name} STATIC ${sources})
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  set(include_root ${CMAKE_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${include_root})
  if(NOT EXISTS ${include_root}/${L_FOLDER})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${include_root}/${L_FOLDER} SYMBOLIC)
  endif()
  target_include_directories(${name} ${scope} ${include_root})
  if(L_DEPENDS)
    target_link_libraries(${name} ${scope} ${L_DEPENDS})
  endif()
endfunction()
