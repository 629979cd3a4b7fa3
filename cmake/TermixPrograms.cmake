# termix_check_listed(<pattern> <file>...): stops the configuration when a file of the current
# folder that matches the pattern is none of the files named, so that a new source file is never
# left out of the build unnoticed. A new file makes the build configure again.
function(termix_check_listed pattern)
  file(GLOB present RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
  foreach(file IN LISTS present)
    if(NOT file IN_LIST ARGN)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${file} is in no source list of its "
                          "CMakeLists.txt: add it there")
    endif()
  endforeach()
endfunction()

# termix_add_programs: the one way test, benchmark and fuzz programs are made.
#
#   termix_add_programs(<kind> LIBRARY <library> SOURCES <file>... [NAME <program>]
#                       [PREFIX <prefix>] [LIBRARIES <more>...] [NO_MAIN])
#
# <kind> is one of
#   GTEST     one GoogleTest program NAME of all SOURCES; every case is a CTest test.
#   QTEST     one Qt Test program a source (PREFIX + file name), each a CTest test run on the
#             shared X server one at a time, in a working folder of its own.
#   BENCHMARK one Google Benchmark program a source, with the library's main unless NO_MAIN.
#   FUZZ      one libFuzzer target a source, with the address and undefined-behaviour checks.
# Every program links LIBRARY and LIBRARIES. A test_*.cpp, bench_*.cpp or fuzz_*.cpp of the
# folder (any .cpp for GTEST) left out of SOURCES stops the configuration.
function(termix_add_programs kind)
  cmake_parse_arguments(ARG "NO_MAIN" "LIBRARY;NAME;PREFIX" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT TARGET ${ARG_LIBRARY})
    return()
  endif()
  if(kind STREQUAL "GTEST")
    termix_check_listed("*.cpp" ${ARG_SOURCES})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARY} ${ARG_LIBRARIES} GTest::gtest
                                              GTest::gtest_main GTest::gmock)
    gtest_discover_tests(${ARG_NAME} DISCOVERY_TIMEOUT 60
                         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    return()
  endif()
  set(pattern_QTEST test_*.cpp)
  set(pattern_BENCHMARK bench_*.cpp)
  set(pattern_FUZZ fuzz_*.cpp)
  termix_check_listed("${pattern_${kind}}" ${ARG_SOURCES})
  foreach(source IN LISTS ARG_SOURCES)
    get_filename_component(stem ${source} NAME_WE)
    set(name ${ARG_PREFIX}${stem})
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARY} ${ARG_LIBRARIES})
    if(kind STREQUAL "QTEST")
      set(workdir ${CMAKE_CURRENT_BINARY_DIR}/work/${stem})
      file(MAKE_DIRECTORY ${workdir})
      add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${workdir})
      # Pointer and focus stay a test's own only while it has the X server to itself. The
      # plain C locale gives the Russian interface whatever the machine's language is; a test
      # of another language appends its own variables, which come later and so win.
      set(environment QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1
                      LANGUAGE= LC_ALL=C.UTF-8 LC_MESSAGES= LANG=C.UTF-8)
      set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}"
                           TIMEOUT 300 RESOURCE_LOCK x_display)
    elseif(kind STREQUAL "BENCHMARK")
      target_link_libraries(${name} PRIVATE benchmark::benchmark)
      if(NOT ARG_NO_MAIN)
        target_link_libraries(${name} PRIVATE benchmark::benchmark_main)
      endif()
    elseif(kind STREQUAL "FUZZ")
      target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
      target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    else()
      message(FATAL_ERROR "termix_add_programs: unknown kind ${kind}")
    endif()
  endforeach()
endfunction()
