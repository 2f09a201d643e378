# 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQXM_WITH_QT=OFF ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QXM_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QXM_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QXM_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QXM_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QXM_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs carry their C++ runtime and thread library inside, so that they
# run without mingw-w64's DLLs beside them (or on Wine's path).
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
