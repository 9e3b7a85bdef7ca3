# Compiler settings shared by every target of the suite.

add_compile_options(-Wall -Wextra -Wshadow -Werror)

if(WIN32)
  # Pinned to the Windows 95 level (common controls of 4.70) so that newer calls fail to compile.
  add_compile_definitions(WINVER=0x0400 _WIN32_WINDOWS=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0300
                          NOMINMAX STRICT)
  # Programs link statically and share nothing at run time.
  add_link_options(-static -static-libgcc -static-libstdc++)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -O coff")
endif()

if(WITH_SANITIZERS)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WITH_FUZZERS)
  # Instrument the code under test; only the fuzz targets link the fuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()
