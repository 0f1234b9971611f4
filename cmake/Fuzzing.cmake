# libFuzzer builds (-DFENLOW_BUILD_FUZZERS=ON, clang only): everything is
# compiled with coverage for the fuzzer and with AddressSanitizer and
# UndefinedBehaviorSanitizer; tests/fuzz adds the fuzz targets.
if(FENLOW_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "FENLOW_BUILD_FUZZERS needs clang (-DCMAKE_CXX_COMPILER=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
