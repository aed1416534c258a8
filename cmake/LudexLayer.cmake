# ludex_layer(NAME DIR DEPS): the library ludex_NAME from every .cpp directly in DIR
# and its sub-folders (a sub-folder that is a layer of its own is left out).
function(ludex_layer name dir deps)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
  # gui/mui is its own layer; the program entry is the executable's own source.
  list(FILTER srcs EXCLUDE REGEX "/app/entry/")
  # The Qt display is a library of its own (only the program and its tests link Qt).
  list(FILTER srcs EXCLUDE REGEX "/os/mui/qt/")
  if(name STREQUAL "gui")
    list(FILTER srcs EXCLUDE REGEX "/gui/mui/")
  endif()
  if(srcs)
    add_library(ludex_${name} STATIC ${srcs})
    set(scope PUBLIC)
  else()
    # A layer with no sources yet still links its users to the layers below.
    add_library(ludex_${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(ludex_${name} ${scope} ${CMAKE_SOURCE_DIR})
  if(deps)
    target_link_libraries(ludex_${name} ${scope} ${deps})
  endif()
endfunction()

# ludex_tests(LAYER DEPS): one test binary for tests/LAYER.
function(ludex_tests layer deps)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${layer}/*.cpp")
  if(NOT srcs)
    return()
  endif()
  add_executable(ludex_${layer}_tests ${srcs})
  target_link_libraries(ludex_${layer}_tests PRIVATE ${deps} ludex_test_support GTest::gtest GTest::gtest_main)
  gtest_discover_tests(ludex_${layer}_tests
    # One variable per property: a ";" list does not survive test discovery.
    PROPERTIES ENVIRONMENT "TZ=UTC"
               ENVIRONMENT_MODIFICATION "LUDEX_TEST_ROOT=set:${CMAKE_BINARY_DIR}/test-sandbox"
    DISCOVERY_TIMEOUT 60)
endfunction()
