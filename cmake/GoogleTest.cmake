# Natively we use Debian's packaged GoogleTest; the Windows build compiles it
# from the sources that Debian's googletest package ships in /usr/src.
if(CMAKE_CROSSCOMPILING)
  set(FENLOW_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  # Its own CMake files define the GTest:: targets the tests link.
  add_subdirectory(${FENLOW_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
