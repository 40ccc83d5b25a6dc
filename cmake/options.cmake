# Compiler settings shared by every target of the project.
add_library(scenario_options INTERFACE)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    # Record widths (8, 16 and 32 bits) are part of the file formats, so
    # every narrowing must be written out in the code.
    target_compile_options(scenario_options INTERFACE
        -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Werror
        # The line plan is plain IEEE arithmetic: a fused multiply-add would
        # change the last bits of the plan file on some machines.
        -ffp-contract=off)
    if(SCENARIO_SANITIZE)
        target_compile_options(scenario_options INTERFACE
            -fsanitize=address,undefined -fno-sanitize-recover=all
            -fno-omit-frame-pointer)
        target_link_options(scenario_options INTERFACE
            -fsanitize=address,undefined -fno-sanitize-recover=all)
    endif()
    if(SCENARIO_FUZZ)
        # Coverage for libFuzzer in every library; only the fuzz targets
        # link its runtime.
        target_compile_options(scenario_options INTERFACE -fsanitize=fuzzer-no-link
            -fsanitize-coverage-ignorelist=${PROJECT_SOURCE_DIR}/fuzz/coverage_ignore.txt)
    endif()
    if(MINGW)
        # One file that runs alone: the compiler's own libraries are linked
        # in rather than looked for beside the program.
        target_link_options(scenario_options INTERFACE -static)
    endif()
elseif(MSVC)
    target_compile_options(scenario_options INTERFACE /W4 /WX /fp:precise)
endif()
