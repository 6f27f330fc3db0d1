# Shared build helpers: tests, fuzz targets with seed replay, delivered data.

set(VUX_ONLY_LABEL "" CACHE STRING "Build only the tests that carry this label")

# Environment of every test. The sanitizers' options are compiled into each
# program instead (tests/support/SanitizerDefaults.cpp), so they hold for
# programs that tests start too.
set(VUX_TEST_ENV "QT_QPA_PLATFORM=offscreen")

# vux_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib... [LABELS l...])
# One GoogleTest executable; every TEST in it becomes its own ctest entry.
# With VUX_ONLY_LABEL set (the ThreadSanitizer build uses "threads"), only tests
# carrying that label are built and registered.
function(vux_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  if(VUX_ONLY_LABEL AND NOT VUX_ONLY_LABEL IN_LIST T_LABELS)
    # Defined, so that settings made on it elsewhere hold, but neither built nor run.
    add_executable(${T_NAME} EXCLUDE_FROM_ALL ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} vux_includes GTest::gtest GTest::gmock GTest::gtest_main)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  set_property(GLOBAL APPEND PROPERTY VUX_TEST_TARGETS ${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} vux_includes GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Discovered tests carry one label (a list would not survive the generated
  # script): "threads" where given, as the ThreadSanitizer run selects by it.
  if("threads" IN_LIST T_LABELS)
    set(label threads)
  elseif(T_LABELS)
    list(GET T_LABELS 0 label)
  else()
    set(label unit)
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${VUX_TEST_ENV}" LABELS ${label} TIMEOUT 300)
endfunction()

# vux_add_fuzzer(NAME name SOURCES fuzz_x.cpp LIBS lib...)
# The target defines LLVMFuzzerTestOneInput. With VUX_BUILD_FUZZ and clang it links
# libFuzzer; in every test build it also links a replay driver that feeds it each
# seed file of fuzz/corpus/<name>/, registered as a normal test.
function(vux_add_fuzzer)
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
  set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${F_NAME})
  if(VUX_BUILD_TESTS AND NOT VUX_ONLY_LABEL)
    add_executable(${F_NAME}_replay ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
    target_link_libraries(${F_NAME}_replay PRIVATE ${F_LIBS} vux_includes)
    set_target_properties(${F_NAME}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    add_test(NAME fuzz_replay.${F_NAME} COMMAND ${F_NAME}_replay ${corpus})
    set_tests_properties(fuzz_replay.${F_NAME} PROPERTIES ENVIRONMENT "${VUX_TEST_ENV}" LABELS fuzz TIMEOUT 300)
  endif()
  if(VUX_BUILD_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_executable(${F_NAME} ${F_SOURCES})
    target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS} vux_includes)
    set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  endif()
endfunction()

# vux_deliver(SOURCE file DEST relative/path)
# Places delivered data beside the program only where the file is missing, so a
# rebuild never overwrites what the user changed.
function(vux_deliver)
  cmake_parse_arguments(D "" "SOURCE;DEST" "" ${ARGN})
  string(MAKE_C_IDENTIFIER "deliver_${D_DEST}" tgt)
  add_custom_target(${tgt} ALL
    COMMAND ${CMAKE_COMMAND} -DSRC=${D_SOURCE} -DDST=${CMAKE_BINARY_DIR}/${D_DEST}
            -P ${PROJECT_SOURCE_DIR}/cmake/CopyIfMissing.cmake
    DEPENDS ${D_SOURCE}
    COMMENT "Delivering ${D_DEST} where missing"
    VERBATIM)
endfunction()

# In a sanitizer build, every program gets the sanitizers' defaults compiled in.
# Runs once all targets exist (called at the end of the top-level CMakeLists.txt).
function(vux_add_sanitizer_defaults dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t ${targets})
    get_target_property(type ${t} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_sources(${t} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/SanitizerDefaults.cpp)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    vux_add_sanitizer_defaults(${sub})
  endforeach()
endfunction()
