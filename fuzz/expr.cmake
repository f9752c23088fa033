# fuzz_expr: compiles arbitrary texts against a few bound fields and evaluates them.
add_executable(fuzz_expr expr_fuzz.cpp)
target_link_libraries(fuzz_expr PRIVATE cdzrt cdz_options)
target_compile_options(fuzz_expr PRIVATE -fsanitize=fuzzer)
target_link_options(fuzz_expr PRIVATE -fsanitize=fuzzer)
