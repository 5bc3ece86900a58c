# The libraries the Windows build needs, for Debian's mingw-w64, which packages none of them:
# the header-only ones are taken from the build machine's headers (each folder alone, never the
# whole of /usr/include, whose C library headers are not Windows ones), and GoogleTest is built
# from the source Debian ships with it. Google Benchmark is built from Debian's source package,
# which `./dev.sh` fetches (apt-get source, into build/sources/benchmark); without it the
# benchmarks are left out.
set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(folder nlohmann CLI)
  if(NOT EXISTS /usr/include/${folder})
    message(
      FATAL_ERROR "/usr/include/${folder} is missing: install nlohmann-json3-dev and libcli11-dev")
  endif()
  file(MAKE_DIRECTORY ${host_headers})
  file(CREATE_LINK /usr/include/${folder} ${host_headers}/${folder} SYMBOLIC)
endforeach()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES
                                                              ${host_headers})
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

set(benchmark_source ${PROJECT_SOURCE_DIR}/build/sources/benchmark
    CACHE PATH "Google Benchmark's source (Debian: apt-get source benchmark)")
if(EXISTS ${benchmark_source}/CMakeLists.txt)
  # The library alone, static, with its own warnings not turned into errors. Its feature checks
  # cannot run a cross-compiled probe; what the Windows C++ runtime has is given here.
  set(BENCHMARK_ENABLE_TESTING OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_ENABLE_GTEST_TESTS OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_ENABLE_WERROR OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_ENABLE_INSTALL OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_INSTALL_DOCS OFF CACHE BOOL "" FORCE)
  # Debian's source reads no Git tags; its version is the project's own (as "0.0.0" says).
  set(GIT_VERSION 0.0.0)
  # (A defined HAVE_x counts as present; a compile that failed, as absent.)
  set(HAVE_STD_REGEX 1)
  set(HAVE_STEADY_CLOCK 1)
  foreach(absent POSIX_REGEX GNU_POSIX_REGEX THREAD_SAFETY_ATTRIBUTES)
    set(COMPILE_HAVE_${absent} FALSE)
    set(RUN_HAVE_${absent} 1)
  endforeach()
  add_subdirectory(${benchmark_source} ${CMAKE_BINARY_DIR}/benchmark EXCLUDE_FROM_ALL SYSTEM)
else()
  message(STATUS "No Google Benchmark source in ${benchmark_source}: the benchmarks are left out "
                 "(./dev.sh bench --win64 fetches it)")
endif()
