# Cross build for 64-bit Windows with Debian's MinGW-w64 (package
# g++-mingw-w64-x86-64-posix). The posix-threads variant gives the complete C++
# runtime; everything is linked statically, so the executables need no DLL
# beside them, only the system's own (kernel32, user32, gdi32, msvcrt).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefisso x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefisso}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefisso}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefisso}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefisso})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
