# Two thread models of the same cross compilers:
#   posix  (default) for the builds with the Wine test programs: GoogleTest
#          needs std::mutex, which the win32 model lacks;
#   win32  for the release programs: the posix model's thread runtime imports
#          GetTickCount64, which Windows XP does not have.
# Everything links statically, so nothing beyond the system DLLs is imported.
if(NOT VANTREL_THREAD_MODEL)
  set(VANTREL_THREAD_MODEL posix)
endif()
set(CMAKE_C_COMPILER ${VANTREL_MINGW_TRIPLET}-gcc-${VANTREL_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${VANTREL_MINGW_TRIPLET}-g++-${VANTREL_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${VANTREL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VANTREL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
