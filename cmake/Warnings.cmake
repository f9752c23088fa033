# Common compile options of every target of the project.
add_library(cdz_options INTERFACE)
target_compile_options(cdz_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    -Wold-style-cast -Wcast-align -Woverloaded-virtual)
if(CDZ_WERROR)
    target_compile_options(cdz_options INTERFACE -Werror)
endif()

# The program's own code is also held to warnings on implicit narrowing and sign changes; tests,
# benchmarks and fuzz targets index and compare freely. The sanitizer and fuzz builds turn them
# off: they check behaviour, the warnings-as-errors build checks these once, and clang reads the
# same flags as a much wider set.
option(CDZ_CONVERSION_WARNINGS "Warn on implicit narrowing and sign changes in program code" ON)
add_library(cdz_program_options INTERFACE)
target_link_libraries(cdz_program_options INTERFACE cdz_options)
if(CDZ_CONVERSION_WARNINGS)
    target_compile_options(cdz_program_options INTERFACE -Wconversion -Wsign-conversion)
endif()

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
