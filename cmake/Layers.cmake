# The program's layers, stated once by the build. Each layer is one static
# library that links only the layers below it, and every file of a layer is
# checked when it builds: an #include "..." may name a file of the layer's own
# folder or of a layer it links (directly or through another one), and only
# the platform layers may include the system's headers or ask which operating
# system they run on. So a wrong arrow fails the build, not a review.

set(FENLOW_LAYER_CHECKER ${CMAKE_CURRENT_LIST_DIR}/CheckLayerIncludes.cmake)

# The third-party headers each layer may include (staged by
# cmake/ThirdParty.cmake), as "<layer>=<header folder>;..."; a header folder
# admits <folder/...> and <folder.hpp>. Every other layer above the platform
# takes the standard library's headers alone.
set(FENLOW_LAYER_THIRD_PARTY
  "fenlow_recipes=toml++"         # edits/recipes/: recipe files
  "fenlow_patterns=boost/regex"   # the pattern edits above the engine
  "fenlow_dialogs=dtl")           # the Recipes dialog's preview: what changed
# The interface target that carries each header folder.
set(FENLOW_THIRD_PARTY_TARGET_toml++ fenlow_toml)
set(FENLOW_THIRD_PARTY_TARGET_boost/regex fenlow_boost_regex)
set(FENLOW_THIRD_PARTY_TARGET_dtl fenlow_dtl)

# The header folders FENLOW_LAYER_THIRD_PARTY gives `target`.
function(fenlow_third_party_of target out)
  set(folders "")
  foreach(entry IN LISTS FENLOW_LAYER_THIRD_PARTY)
    if(entry MATCHES "^${target}=(.+)$")
      list(APPEND folders ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${out} "${folders}" PARENT_SCOPE)
endfunction()

# fenlow_layer(<target> FOLDER <folder> [SYSTEM] [SHARED] SOURCES <file>...
#              [LINKS <layer>...] [SYSTEM_LIBS <library>...])
# FOLDER is relative to the project root; its headers are checked with the
# sources. SYSTEM marks a platform layer: it may use the system's headers.
# SHARED makes a DLL of it (a test's hook, loaded into another program).
function(fenlow_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "SYSTEM;SHARED" "FOLDER" "SOURCES;LINKS;SYSTEM_LIBS")
  if(arg_SHARED)
    add_library(${target} SHARED ${arg_SOURCES})
  else()
    add_library(${target} STATIC ${arg_SOURCES})
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${arg_LINKS} PRIVATE ${arg_SYSTEM_LIBS})
  fenlow_warnings(${target})
  fenlow_third_party_of(${target} third_party)
  foreach(folder IN LISTS third_party)
    target_link_libraries(${target} PRIVATE ${FENLOW_THIRD_PARTY_TARGET_${folder}})
  endforeach()
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${arg_FOLDER}/*.h)
  list(TRANSFORM arg_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  set_target_properties(${target} PROPERTIES
    FENLOW_FOLDER "${arg_FOLDER}"
    FENLOW_LAYER_LINKS "${arg_LINKS}"
    FENLOW_SYSTEM "${arg_SYSTEM}"
    FENLOW_CHECKED_FILES "${arg_SOURCES};${headers}")
  set_property(GLOBAL APPEND PROPERTY FENLOW_CHECKED_TARGETS ${target})
endfunction()

# fenlow_layered_executable(<target> FOLDER <folder> [SYSTEM] SOURCES <file>...
#                           LINKS <layer>...)
# A program's entry: its own sources are checked against the layers it links.
function(fenlow_layered_executable target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "SYSTEM;WIN32" "FOLDER" "SOURCES;LINKS")
  if(arg_WIN32)
    add_executable(${target} WIN32 ${arg_SOURCES})
  else()
    add_executable(${target} ${arg_SOURCES})
  endif()
  target_link_libraries(${target} PRIVATE ${arg_LINKS})
  fenlow_warnings(${target})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  set(checked ${arg_SOURCES})
  list(FILTER checked INCLUDE REGEX "\\.(cpp|h)$")
  list(TRANSFORM checked PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  set_target_properties(${target} PROPERTIES
    FENLOW_FOLDER "${arg_FOLDER}"
    FENLOW_LAYER_LINKS "${arg_LINKS}"
    FENLOW_SYSTEM "${arg_SYSTEM}"
    FENLOW_CHECKED_FILES "${checked}")
  set_property(GLOBAL APPEND PROPERTY FENLOW_CHECKED_TARGETS ${target})
endfunction()

# The folders a target may include from: its own and those of every layer it
# reaches through its links.
function(fenlow_reachable_folders target out)
  set(folders "")
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(folder ${current} FENLOW_FOLDER)
    if(folder)
      list(APPEND folders ${folder})
      get_target_property(links ${current} FENLOW_LAYER_LINKS)
      list(APPEND pending ${links})
    endif()
  endwhile()
  set(${out} "${folders}" PARENT_SCOPE)
endfunction()

# Called once every target is defined: adds the include check to each layer.
function(fenlow_check_layers)
  get_property(targets GLOBAL PROPERTY FENLOW_CHECKED_TARGETS)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/layer_checks)
  foreach(target IN LISTS targets)
    fenlow_reachable_folders(${target} folders)
    get_target_property(files ${target} FENLOW_CHECKED_FILES)
    get_target_property(system ${target} FENLOW_SYSTEM)
    fenlow_third_party_of(${target} third_party)
    list(JOIN third_party "|" third_party)
    list(JOIN folders "|" allowed)
    list(JOIN files "|" checked)
    set(stamp ${CMAKE_BINARY_DIR}/layer_checks/${target}.checked)
    add_custom_command(
      OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} "-DLAYER=${target}" "-DROOT=${PROJECT_SOURCE_DIR}"
              "-DFILES=${checked}" "-DALLOWED=${allowed}" "-DSYSTEM=${system}"
              "-DTHIRD_PARTY=${third_party}"
              -P ${FENLOW_LAYER_CHECKER}
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${files} ${FENLOW_LAYER_CHECKER}
      COMMENT "Checking the includes of ${target}"
      VERBATIM)
    add_custom_target(${target}_includes DEPENDS ${stamp})
    add_dependencies(${target} ${target}_includes)
  endforeach()
endfunction()
