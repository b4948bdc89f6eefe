# Compiler warnings as errors, and a runtime linked into the program itself.

function(zanor_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
        # GCC 12 reports a false -Wrestrict inside std::string at -O2 (GCC bug 105329).
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
           AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
            target_compile_options(${target} PRIVATE -Wno-restrict)
        endif()
    endif()
endfunction()

# With MinGW the C++ runtime and winpthreads are linked statically, so the
# program imports system DLLs only. (MSVC gets its static runtime from
# CMAKE_MSVC_RUNTIME_LIBRARY.)
function(zanor_static_runtime target)
    if(MINGW)
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    endif()
endfunction()
