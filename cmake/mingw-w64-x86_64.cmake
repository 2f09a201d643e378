# 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQXM_QT_MINGW=/path/to/qt6-mingw ...
# Without QXM_QT_MINGW only the parts without Qt build (-DQXM_WITH_QT=OFF).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QXM_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QXM_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QXM_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QXM_MINGW_TRIPLET}-windres)

# Packages are searched for only among the Windows ones: mingw-w64's own and
# the Qt built for it. CMake reads this file again for its compiler checks,
# which must see the same paths.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QXM_QT_MINGW)
set(CMAKE_FIND_ROOT_PATH /usr/${QXM_MINGW_TRIPLET})
if(QXM_QT_MINGW)
    list(APPEND CMAKE_FIND_ROOT_PATH "${QXM_QT_MINGW}")
    list(APPEND CMAKE_PREFIX_PATH "${QXM_QT_MINGW}")
    # Qt's code generators (moc, rcc, uic) run here: Debian's own, of the same version.
    set(QT_HOST_PATH /usr)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
