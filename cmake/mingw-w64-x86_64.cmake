# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (the posix
# thread model, which std::thread needs). The executables are linked
# statically, so they run without any DLL beside them:
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DRUVEK_WITH_QT=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RUVEK_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RUVEK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RUVEK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${RUVEK_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RUVEK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Windows 7 and later: the wide-character file calls the platform layer uses.
add_compile_definitions(_WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)
