# fuzz_pictures: parses arbitrary pictures and formats / reads back arbitrary values with them.
add_executable(fuzz_pictures pictures_fuzz.cpp)
target_link_libraries(fuzz_pictures PRIVATE cdzrt cdz_options)
target_compile_options(fuzz_pictures PRIVATE -fsanitize=fuzzer)
target_link_options(fuzz_pictures PRIVATE -fsanitize=fuzzer)
