# Windows (i686) with Debian's mingw-w64: the -posix compilers, whose thread model gives
# std::mutex and std::thread (GoogleTest needs them). Programs run here under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests and test discovery run the .exe files through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../wine_run.sh)
# The C++ runtime linked in, the unwinder shared: i686 unwinds with the frame tables its unwinder
# (libgcc) has registered, and a module with a libgcc of its own has registered only its own. An
# exception thrown in one module through another's frames (a host's site raising a run-time error
# through the control in the component module) would end the program; and a module with its own
# libgcc registers its frames with the shared one when that one is already loaded in the process,
# so one static module fails in any host that uses the shared one. Every program and module
# therefore uses libgcc_s_dw2-1.dll (with the libwinpthread-1.dll it needs), which the build puts
# beside each of them and the installer installs (cmake/windows_runtime.cmake).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libstdc++ -shared-libgcc")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libstdc++ -shared-libgcc")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libstdc++ -shared-libgcc")
