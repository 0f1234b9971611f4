# The third-party headers the build compiles, from header-only Debian packages
# that scripts/ensure_packages.sh installs (FENLOW_HEADER_PACKAGES). The mingw
# toolchain searches only its own root, so /usr/include is not seen there:
# the headers used are copied into the build, and both builds include that
# copy as a system folder. Both then see the same headers, and warnings stay
# errors for our code alone.
#
# Each library is an interface target; cmake/Layers.cmake links it to the
# layers that may include it:
#   fenlow_toml         <toml++/...>, compiled once by the layer that uses it
#                       (TOML_IMPLEMENTATION in one of its files)
#   fenlow_boost_regex  <boost/regex.hpp>, <boost/regex_fwd.hpp>, <boost/regex/...>,
#                       header-only and standalone: no other Boost header is needed or staged

set(FENLOW_HOST_INCLUDE /usr/include CACHE PATH
    "Where the Debian header packages are installed on the build machine")
set(FENLOW_STAGED_INCLUDE ${CMAKE_BINARY_DIR}/third_party/include)
# Staged anew at each configure, so that nothing left out lingers there (the
# copies keep the packages' timestamps: nothing rebuilds for it).
file(REMOVE_RECURSE ${FENLOW_STAGED_INCLUDE})

# fenlow_require_header(<file under FENLOW_HOST_INCLUDE> <package>)
function(fenlow_require_header file package)
  if(NOT EXISTS ${FENLOW_HOST_INCLUDE}/${file})
    message(FATAL_ERROR "${FENLOW_HOST_INCLUDE}/${file} is missing: install ${package} "
                        "(scripts/ensure_packages.sh does)")
  endif()
endfunction()

# fenlow_header_version(<file> <regex with one group> <out>)
function(fenlow_header_version file regex out)
  file(STRINGS ${FENLOW_HOST_INCLUDE}/${file} lines REGEX "${regex}")
  string(REGEX REPLACE ".*${regex}.*" "\\1" value "${lines}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# toml++ 3.3 (libtomlplusplus-dev): the whole folder, toml.h includes it all.
fenlow_require_header(toml++/toml.h libtomlplusplus-dev)
fenlow_header_version(toml++/impl/version.h "TOML_LIB_MINOR[ \t]+([0-9]+)" toml_minor)
fenlow_header_version(toml++/impl/version.h "TOML_LIB_MAJOR[ \t]+([0-9]+)" toml_major)
if(NOT "${toml_major}.${toml_minor}" VERSION_GREATER_EQUAL 3.3)
  message(FATAL_ERROR "toml++ ${toml_major}.${toml_minor} found, 3.3 or later needed")
endif()
file(COPY ${FENLOW_HOST_INCLUDE}/toml++ DESTINATION ${FENLOW_STAGED_INCLUDE})

# Boost.Regex of Boost 1.81 (libboost1.81-dev): its C++11 version (v5) and the
# Unicode iterators, in standalone mode. Left out: the C++03 version (v4) and
# the ICU and MFC adaptors, which need other Boost libraries.
fenlow_require_header(boost/regex.hpp libboost1.81-dev)
fenlow_header_version(boost/version.hpp "define BOOST_VERSION[ \t]+([0-9]+)" boost_version)
if(NOT boost_version EQUAL 108100)
  message(FATAL_ERROR "Boost ${boost_version} found in ${FENLOW_HOST_INCLUDE}, 1.81 (108100) "
                      "needed: install libboost1.81-dev")
endif()
file(COPY ${FENLOW_HOST_INCLUDE}/boost/regex.hpp ${FENLOW_HOST_INCLUDE}/boost/regex_fwd.hpp
     DESTINATION ${FENLOW_STAGED_INCLUDE}/boost)
file(COPY ${FENLOW_HOST_INCLUDE}/boost/regex DESTINATION ${FENLOW_STAGED_INCLUDE}/boost
     PATTERN v4 EXCLUDE PATTERN icu.hpp EXCLUDE PATTERN mfc.hpp EXCLUDE
     PATTERN concepts.hpp EXCLUDE)

add_library(fenlow_toml INTERFACE)
target_include_directories(fenlow_toml SYSTEM INTERFACE ${FENLOW_STAGED_INCLUDE})
# The same library in both builds: compiled in one file, exceptions for
# errors, no wide-string extras on Windows alone.
target_compile_definitions(fenlow_toml INTERFACE
  TOML_HEADER_ONLY=0 TOML_EXCEPTIONS=1 TOML_ENABLE_WINDOWS_COMPAT=0)

add_library(fenlow_boost_regex INTERFACE)
target_include_directories(fenlow_boost_regex SYSTEM INTERFACE ${FENLOW_STAGED_INCLUDE})
# Without it the native build would take the rest of Boost from /usr/include
# (the mingw build cannot): standalone, both builds compile the same code.
target_compile_definitions(fenlow_boost_regex INTERFACE BOOST_REGEX_STANDALONE)
