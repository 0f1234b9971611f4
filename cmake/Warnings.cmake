# One warning policy for every target of the project.
function(fenlow_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  if(FENLOW_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
