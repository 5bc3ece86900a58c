# The libraries the Windows build needs, for Debian's mingw-w64, which packages none of them:
# the header-only ones are taken from the build machine's headers (each folder alone, never the
# whole of /usr/include, whose C library headers are not Windows ones), and GoogleTest is built
# from the source Debian ships with it. Google Benchmark has no source package; the benchmarks
# are left out when it is not found for the target.
set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(folder nlohmann CLI)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: install nlohmann-json3-dev and libcli11-dev")
  endif()
  file(MAKE_DIRECTORY ${host_headers})
  file(CREATE_LINK /usr/include/${folder} ${host_headers}/${folder} SYMBOLIC)
endforeach()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${host_headers})
add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${host_headers})

set(googletest_source /usr/src/googletest CACHE PATH "GoogleTest's source (Debian: googletest)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${googletest_source} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# GoogleTest 1.11 and later name their targets GTest::... themselves.
if(NOT TARGET GTest::gtest_main)
  add_library(GTest::gtest_main ALIAS gtest_main)
  add_library(GTest::gmock ALIAS gmock)
endif()

find_package(benchmark QUIET)
