# Cross-compiles for 64-bit Windows with Debian's MinGW-w64. The -posix compilers, because
# OpenAL Soft needs std::mutex and std::thread, which the win32 thread model lacks. Whatever
# this links carries its own C and C++ runtime and threads, so a player needs no MinGW DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# Stripped by the linker, which is told to write no time stamp into the headers of the program
# and OpenAL32.dll, so that the same sources link to the same bytes; strip would stamp them anew.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s -Wl,--no-insert-timestamp")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -s -Wl,--no-insert-timestamp")

# Libraries and headers come from MinGW and the prefix the Windows dependencies are installed
# in (given as CMAKE_FIND_ROOT_PATH), never from the Linux system.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
