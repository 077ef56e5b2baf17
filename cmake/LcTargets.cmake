# One engine library per subsystem (no Qt) and one UI library beside it.
# Sources are picked up by glob so that adding a file needs no edit here.

function(lc_engine_library name dir)
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(_src)
    add_library(${name} STATIC ${_src})
  else()
    add_library(${name} INTERFACE)
  endif()
  set(_vis PUBLIC)
  if(NOT _src)
    set(_vis INTERFACE)
  endif()
  target_include_directories(${name} ${_vis} ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
  if(ARGN)
    target_link_libraries(${name} ${_vis} ${ARGN})
  endif()
endfunction()

function(lc_ui_library name dir)
  if(NOT LC_BUILD_UI)
    return()
  endif()
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  list(FILTER _src EXCLUDE REGEX "/main\\.cpp$")
  if(NOT _src)
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARGN} Qt6::Widgets)
    return()
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${name} PUBLIC ${ARGN} Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Multimedia)
endfunction()

# A test executable from every *.cpp in a tests folder (engine or ui).
function(lc_test_dir name dir)
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DISCOVERY_TIMEOUT 60)
  # gtest_discover_tests splits a list-valued ENVIRONMENT into separate
  # properties (only the first variable would arrive), so the environment is
  # set by a CTest include that runs after the discovered tests are known.
  set(_env_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_env.cmake)
  file(WRITE ${_env_file}
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES TIMEOUT 300 ENVIRONMENT\n"
    "    \"QT_QPA_PLATFORM=offscreen;LC_PROGRAM_DIR=${LC_PROGRAM_DIR};LC_SOURCE_DIR=${CMAKE_SOURCE_DIR}\")\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${_env_file})
endfunction()
