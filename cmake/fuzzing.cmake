# Fuzzing the loaders with libFuzzer. The whole core is built with coverage feedback and the address
# and undefined-behaviour sanitizers; the fuzz targets in fuzz/ link libFuzzer's own main().
if(POLMINA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "POLMINA_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(POLMINA_CORE_ONLY ON CACHE BOOL "" FORCE)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
