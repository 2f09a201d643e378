# A Windows program finds its DLLs beside it. Every program of a Windows build
# goes to one folder, with the DLLs it needs copied there, so the tests run
# the programs under Wine as they run from the unpacked ZIP.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bin")

# MinGW's C++ runtime. The Qt DLLs link it dynamically, so the programs do
# too: one copy of it in the process, shared by Qt and QXM. Debian's copies
# keep their debug sections (libstdc++-6.dll is 24 MB so), and CPack strips
# only targets: bin/ and the ZIP get stripped copies.
if(NOT CMAKE_STRIP)
    message(FATAL_ERROR "No strip for ${CMAKE_CXX_COMPILER} found (mingw-w64's binutils)")
endif()
set(QXM_MINGW_RUNTIME_DLLS "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "${dll} of mingw-w64 not found (asked ${CMAKE_CXX_COMPILER})")
    endif()
    get_filename_component(path "${path}" REALPATH)
    set(stripped "${PROJECT_BINARY_DIR}/mingw-runtime/${dll}")
    add_custom_command(OUTPUT "${stripped}"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${PROJECT_BINARY_DIR}/mingw-runtime"
        COMMAND "${CMAKE_STRIP}" --strip-unneeded -o "${stripped}" "${path}"
        DEPENDS "${path}"
        VERBATIM)
    list(APPEND QXM_MINGW_RUNTIME_DLLS "${stripped}")
endforeach()

set(QXM_RUNTIME_COPIES)
function(qxm_copy_to_bin folder)
    foreach(file IN LISTS ARGN)
        list(APPEND QXM_RUNTIME_COPIES
             COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${file}" "${PROJECT_BINARY_DIR}/bin/${folder}/")
    endforeach()
    set(QXM_RUNTIME_COPIES ${QXM_RUNTIME_COPIES} PARENT_SCOPE)
endfunction()
qxm_copy_to_bin(. ${QXM_MINGW_RUNTIME_DLLS})
if(QXM_WITH_QT)
    # What the programs load from Qt: its DLLs, the Windows platform and style
    # (the offscreen platform for the tests), each in the folder Qt looks in.
    set(QXM_QT_DLLS $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>)
    set(QXM_QT_PLATFORM_PLUGIN $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>)
    set(QXM_QT_STYLE_PLUGIN $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)
    qxm_copy_to_bin(. ${QXM_QT_DLLS} $<TARGET_FILE:Qt6::Test>)
    qxm_copy_to_bin(platforms ${QXM_QT_PLATFORM_PLUGIN} $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>)
    qxm_copy_to_bin(styles ${QXM_QT_STYLE_PLUGIN})
endif()
add_custom_target(qxm_windows_runtime ALL
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${PROJECT_BINARY_DIR}/bin/platforms" "${PROJECT_BINARY_DIR}/bin/styles"
    ${QXM_RUNTIME_COPIES}
    DEPENDS ${QXM_MINGW_RUNTIME_DLLS}
    VERBATIM)

# Built here, the programs and their tests run under Wine, in a prefix of the
# build's own so that they never touch the user's.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(QXM_WINE NAMES wine64 wine PATHS /usr/lib/wine)
    set(QXM_WINEPREFIX "${PROJECT_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix the Windows programs run in")
    if(QXM_WINE)
        set(QXM_WINE_SETTINGS WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=")
        set(QXM_WINE_ENVIRONMENT "WINEPREFIX=${QXM_WINEPREFIX}" ${QXM_WINE_SETTINGS})
        # The desktop test gets a prefix of its own: Wine ties a prefix's
        # desktop to the X display its first program found, and the other
        # tests run without one.
        set(QXM_WINE_DESKTOP_ENVIRONMENT "WINEPREFIX=${QXM_WINEPREFIX}-desktop" ${QXM_WINE_SETTINGS})
        set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_COMMAND}" -E env ${QXM_WINE_ENVIRONMENT} "${QXM_WINE}")
    endif()
endif()
