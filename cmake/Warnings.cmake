# Common compile options of every target of the project.
add_library(cdz_options INTERFACE)
target_compile_options(cdz_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    -Wold-style-cast -Wcast-align -Woverloaded-virtual)
if(CDZ_WERROR)
    target_compile_options(cdz_options INTERFACE -Werror)
endif()
# What the compiler writes names the project's files relative to it (__FILE__ in the tests'
# assertions, the debug information): a compile is then the same in every checkout, and the
# compiler cache serves a fresh clone in another folder from what an earlier one compiled.
target_compile_options(cdz_options INTERFACE -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=)
if(CDZ_SANITIZE)
    target_compile_options(cdz_options INTERFACE -fsanitize=address,undefined
        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(cdz_options INTERFACE -fsanitize=address,undefined)
endif()
if(CDZ_FUZZ)
    # Coverage for the fuzzer in every target; the fuzz targets add -fsanitize=fuzzer themselves.
    target_compile_options(cdz_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
        -fno-omit-frame-pointer)
    target_link_options(cdz_options INTERFACE -fsanitize=address,undefined)
endif()

# The program's own code also warns where a number changes its range or sign without a cast.
# Tests and benchmarks keep the common set: their literals and counters would drown the checks.
# The sanitizer and fuzz builds are compiled by clang too, whose reading of these flags is wider.
option(CDZ_CONVERSION_WARNINGS "Warn on implicit conversions in the program's code" ON)
add_library(cdz_program_options INTERFACE)
target_link_libraries(cdz_program_options INTERFACE cdz_options)
if(CDZ_CONVERSION_WARNINGS)
    target_compile_options(cdz_program_options INTERFACE -Wconversion -Wsign-conversion)
endif()
