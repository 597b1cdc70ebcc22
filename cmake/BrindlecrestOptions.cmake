# Build options and the compiler settings shared by every target of ours.

option(BC_BUILD_TESTS "Build the test suite" ON)
option(BC_BUILD_BENCHMARKS "Build the benchmarks" ON)
set(BC_SANITIZE "" CACHE STRING "Sanitizers for a checking build: empty, 'address;undefined' or 'thread'")

# Never -ffast-math: the (v + 1) - 1 rounding of the filter states must
# survive, and so must the exact order of every sum.
add_compile_options(-fno-fast-math)

if(BC_SANITIZE)
    string(REPLACE ";" "," _bc_san "${BC_SANITIZE}")
    add_compile_options(-fsanitize=${_bc_san} -fno-omit-frame-pointer -g)
    add_link_options(-fsanitize=${_bc_san})
endif()

# Warnings for the project's own targets.
set(BC_WARNING_FLAGS
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual
    -Wno-unused-parameter)
add_library(bc_warnings INTERFACE)
target_compile_options(bc_warnings INTERFACE ${BC_WARNING_FLAGS})

# Exact single-precision arithmetic for the DSP sources: no fused
# multiply-adds, no excess precision, no re-association.
add_library(bc_exact_float INTERFACE)
target_compile_options(bc_exact_float INTERFACE -ffp-contract=off)
# GCC 12 refuses -fexcess-precision=standard for C++; on SSE targets there is no
# excess precision to remove anyway.
include(CheckCXXCompilerFlag)
check_cxx_compiler_flag(-fexcess-precision=standard BC_HAS_EXCESS_PRECISION_FLAG)
if(BC_HAS_EXCESS_PRECISION_FLAG)
    target_compile_options(bc_exact_float INTERFACE -fexcess-precision=standard)
endif()
