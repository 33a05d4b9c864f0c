# Checked builds. Both options apply to every target of the build, so the libraries, the
# tools run during the build and the tests are all instrumented together.
#   QV_SANITIZE  AddressSanitizer and UndefinedBehaviorSanitizer (GCC or clang). Undefined
#                behaviour stops the program like a memory fault does, so a test that hits
#                one fails. `./test.sh --sanitize` builds this way into build-asan/.
#   QV_FUZZ      clang only: the same sanitizers plus libFuzzer's coverage instrumentation,
#                and the fuzzers in fuzz/ (`scripts/fuzz.sh` builds them into build-fuzz/).
option(QV_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QV_FUZZ "Build the libFuzzer targets (clang), with the sanitizers" OFF)

if(QV_SANITIZE OR QV_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -g1)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QV_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  # Coverage feedback everywhere; only the fuzzers themselves link libFuzzer's main().
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
