# The posix thread-model compilers: GoogleTest needs std::mutex, which the
# win32 model lacks. Everything links statically, so nothing beyond the
# Windows XP system DLLs is imported.
set(CMAKE_C_COMPILER ${VANTREL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTREL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTREL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VANTREL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
