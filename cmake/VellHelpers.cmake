# Small helpers that keep each folder's CMakeLists.txt a list of sources.

set(VELL_WARNINGS -Wall -Wextra)
# Source positions in traces and exceptions are relative to the project folder.
add_compile_options(-fmacro-prefix-map=${PROJECT_SOURCE_DIR}/=)
if(VELL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

function(vell_optional_subdirectory dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()

# vell_add_library(name [MODULE|STATIC] SOURCES ... LINKS ...)
# A shared library of the project (the host layers); STATIC for the module's own layers, which
# are linked into the module and into their tests; MODULE for a loadable library that exports
# only what it marks.
function(vell_add_library name)
  cmake_parse_arguments(ARG "MODULE;STATIC" "" "SOURCES;LINKS" ${ARGN})
  if(ARG_STATIC)
    add_library(${name} STATIC ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  elseif(ARG_MODULE)
    add_library(${name} MODULE ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES PREFIX "lib"
      CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  else()
    add_library(${name} SHARED ${ARG_SOURCES})
  endif()
  target_compile_options(${name} PRIVATE ${VELL_WARNINGS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/host)
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# vell_add_test(name SOURCES ... LINKS ...)
# A Qt Test program registered with CTest, run headless.
function(vell_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${VELL_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/host)
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LINKS})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  # The user's settings, state and icon folders stay out of reach: Qt's file dialogs and
  # settings write into a home of the build folder instead.
  set(home ${CMAKE_BINARY_DIR}/testhome)
  file(MAKE_DIRECTORY ${home}/.config ${home}/.local/state ${home}/.local/share)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VELL_SOURCE_DIR=${PROJECT_SOURCE_DIR};VELL_BINARY_DIR=${CMAKE_BINARY_DIR};HOME=${home};XDG_CONFIG_HOME=${home}/.config;XDG_STATE_HOME=${home}/.local/state;XDG_DATA_HOME=${home}/.local/share;XDG_CACHE_HOME=${home}/.cache")
endfunction()

# vell_add_test_area(LINKS ...): one test program per tst_*.cpp in the calling folder.
function(vell_add_test_area)
  cmake_parse_arguments(ARG "" "" "LINKS;EXTRA_SOURCES" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  foreach(src ${tests})
    get_filename_component(name ${src} NAME_WE)
    vell_add_test(${name} SOURCES ${src} ${ARG_EXTRA_SOURCES} LINKS ${ARG_LINKS})
  endforeach()
endfunction()
