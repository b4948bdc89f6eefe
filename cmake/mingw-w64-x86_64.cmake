# Cross compiling the Windows program on Linux with mingw-w64 (posix threads,
# which GoogleTest needs). Programs of the build run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# scripts/test sets ZANOR_WINE to a wrapper that starts the program under Wine
# with the build folder's own prefix.
if(DEFINED ENV{ZANOR_WINE})
    set(CMAKE_CROSSCOMPILING_EMULATOR $ENV{ZANOR_WINE})
else()
    find_program(_wine NAMES wine64 wine)
    if(_wine)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${_wine})
    endif()
endif()
