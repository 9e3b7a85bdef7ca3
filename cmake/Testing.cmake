# Test helpers. Portable tests run natively (and under the sanitizers), and again under Wine in
# the Windows build; Win32 tests run under Wine only. Fuzz targets exist only in the fuzz build.

set(SUITE_BUILD_TESTS ON)
if(WITH_FUZZERS)
  set(SUITE_BUILD_TESTS OFF)
endif()

if(SUITE_BUILD_TESTS)
  if(CMAKE_CROSSCOMPILING)
    # GoogleTest for Windows is compiled from the sources Debian's googletest package installs.
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    if(NOT TARGET GTest::gtest_main)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
      add_library(GTest::gmock ALIAS gmock)
    endif()
    # Every Wine run of this build uses the build's own prefix (created on first use).
    set(SUITE_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run --prefix ${SUITE_WINE_PREFIX})
  else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
  endif()
endif()

# suite_add_test(NAME name SOURCES ... [LIBS ...] [WINE_ARGS ...] [TIMEOUT s])
# A portable GoogleTest executable: native in the native build, under Wine in the Windows build.
function(suite_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;WINE_ARGS" ${ARGN})
  if(NOT SUITE_BUILD_TESTS)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_WINE_ARGS})
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS wine)
  else()
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS native)
  endif()
endfunction()

# suite_add_win32_test(NAME name SOURCES ... [LIBS ...] [WINE_ARGS ...] [TIMEOUT s] [GUI])
# A GoogleTest executable that needs Win32; built and run under Wine in the Windows build only.
# WINE_ARGS go to scripts/wine-run before the program (for example --winver win98 or --desktop).
function(suite_add_win32_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;WINE_ARGS;ARGS" ${ARGN})
  if(NOT SUITE_BUILD_TESTS OR NOT WIN32)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Inside the virtual desktop the program's exit code is lost: its own report carries it.
    set(runner ${CMAKE_SOURCE_DIR}/scripts/wine-run)
    if("--desktop" IN_LIST T_WINE_ARGS)
      set(runner ${CMAKE_SOURCE_DIR}/scripts/wine-desktop-gtest)
    endif()
    add_test(NAME ${T_NAME}
             COMMAND ${runner} --prefix ${SUITE_WINE_PREFIX}
                     --timeout ${T_TIMEOUT} ${T_WINE_ARGS} $<TARGET_FILE:${T_NAME}> ${T_ARGS})
  else()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS wine)
endfunction()

# suite_add_wine_script_test(NAME name COMMAND script args... [TIMEOUT s] [DEPENDS targets])
# A shell-driven end-to-end test of a real program under Wine (Windows build only). The script
# gets SUITE_WINE_RUN (the wine-run command for this build's prefix), SUITE_BUILD_DIR and
# SUITE_SOURCE_DIR in its environment.
function(suite_add_wine_script_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "COMMAND" ${ARGN})
  if(NOT SUITE_BUILD_TESTS OR NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_COMMAND})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS wine
    ENVIRONMENT "SUITE_WINE_RUN=${CMAKE_SOURCE_DIR}/scripts/wine-run --prefix ${SUITE_WINE_PREFIX};SUITE_WINE_PREFIX=${SUITE_WINE_PREFIX};SUITE_BUILD_DIR=${CMAKE_BINARY_DIR};SUITE_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()

# suite_add_fuzzer(NAME name SOURCES ... [LIBS ...]): a libFuzzer target, fuzz build only.
function(suite_add_fuzzer)
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT WITH_FUZZERS)
    return()
  endif()
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
endfunction()

# suite_add_program(NAME name SOURCES ... [LIBS ...]): a statically linked GUI program,
# Windows build only.
function(suite_add_program)
  cmake_parse_arguments(P "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  add_executable(${P_NAME} WIN32 ${P_SOURCES})
  target_link_libraries(${P_NAME} PRIVATE ${P_LIBS})
endfunction()
