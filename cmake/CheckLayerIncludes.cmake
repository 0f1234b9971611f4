# Checks the includes of one layer's files; run by the build (cmake/Layers.cmake):
#   cmake -DLAYER=<target> -DROOT=<project root> -DFILES=<a|b|...>
#         -DALLOWED=<folder|folder|...> -DSYSTEM=<TRUE|FALSE>
#         [-DTHIRD_PARTY=<header folder|...>] -P CheckLayerIncludes.cmake
# Fails with one line per wrong include.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" files "${FILES}")
string(REPLACE "|" ";" allowed "${ALLOWED}")
string(REPLACE "|" ";" third_party "${THIRD_PARTY}")
# What a layer above the platform may take from the compiler: the standard
# library's headers (no extension) and the vector intrinsics.
set(standard_header "^[a-z_0-9]+$|^[a-z]*intrin\\.h$")
# Whether <header> lies in one of the layer's third-party header folders:
# <folder/...> or <folder.hpp>, <folder.h>.
function(is_third_party header out)
  set(found FALSE)
  foreach(folder IN LISTS third_party)
    string(FIND "${header}" "${folder}/" position)
    if(position EQUAL 0 OR header STREQUAL "${folder}.hpp" OR header STREQUAL "${folder}.h")
      set(found TRUE)
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
set(os_question "_WIN32|_WIN64|_MSC_VER|__MINGW|__linux__|__unix__|__APPLE__")

set(problems "")
foreach(file IN LISTS files)
  file(RELATIVE_PATH shown "${ROOT}" "${file}")
  get_filename_component(own_folder "${file}" DIRECTORY)
  file(STRINGS "${file}" directives REGEX "^[ \t]*#[ \t]*(include|if|elif)")
  foreach(directive IN LISTS directives)
    if(directive MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(path "${CMAKE_MATCH_1}")
      get_filename_component(folder "${path}" DIRECTORY)
      if(folder STREQUAL "" AND EXISTS "${own_folder}/${path}")
        continue()  # a file beside the one that includes it
      endif()
      if(NOT folder IN_LIST allowed)
        list(APPEND problems "${shown} includes \"${path}\", but ${LAYER} may include only from: ${allowed}")
      endif()
    elseif(directive MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
      set(header "${CMAKE_MATCH_1}")
      is_third_party("${header}" listed)
      if(NOT SYSTEM AND NOT header MATCHES "${standard_header}" AND NOT listed)
        if(third_party)
          string(REPLACE ";" "/, " named "${third_party}/")
          set(others ", and of the third-party headers ${LAYER} may include only ${named}")
        else()
          set(others ", and ${LAYER} may include no third-party header")
        endif()
        list(APPEND problems "${shown} includes <${header}>: only the platform layers use the system's headers${others}")
      endif()
    elseif(NOT SYSTEM AND directive MATCHES "${os_question}")
      list(APPEND problems "${shown} asks which operating system it runs on: only the platform layers do")
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " listed)
  message(FATAL_ERROR "Layer ${LAYER}: wrong includes\n  ${listed}")
endif()
