# Shared build rules: one shared library per directory, one test program per library.

set(QYX_WARNINGS -Wall -Wextra)
if(QYX_WERROR)
  list(APPEND QYX_WARNINGS -Werror)
endif()

if(QYX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QYX_BUILD_FUZZ)
  # Instrument every library for coverage so the fuzzers see inside them.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# qyx_library(<name> DIR <dir> DEPS <public deps...> PRIVATE_DEPS <...>)
# Sources are every .cpp under <dir>/src; the public headers live in <dir>/include.
function(qyx_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_library(${name} SHARED ${srcs})
  add_library(qyx::${name} ALIAS ${name})
  target_include_directories(${name}
    PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include> $<INSTALL_INTERFACE:include>
    PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${QYX_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  install(TARGETS ${name} EXPORT QyxTargets LIBRARY DESTINATION lib)
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/include/ DESTINATION include)
endfunction()

# qyx_tests(<library> [DEPS <extra libs>]): every .cpp under tests/ in one GoogleTest program.
function(qyx_tests lib)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  if(NOT QYX_BUILD_TESTS OR NOT TARGET ${lib})
    return()
  endif()
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${lib}_tests ${srcs})
  target_compile_options(${lib}_tests PRIVATE ${QYX_WARNINGS})
  target_include_directories(${lib}_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  target_compile_definitions(${lib}_tests PRIVATE
    QYX_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/tests/data")
  target_link_libraries(${lib}_tests PRIVATE ${lib} ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${lib}_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
