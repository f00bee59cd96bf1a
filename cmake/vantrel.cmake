# Each subsystem folder names its sources in two lists: the portable half
# (no <windows.h>, compiled by every build) and the Win32 half (windows,
# adapters, framework; mingw builds only). The top of src/ turns the lists
# into libraries.

function(_vantrel_add property)
  foreach(f IN LISTS ARGN)
    get_filename_component(abs ${f} ABSOLUTE)
    set_property(GLOBAL APPEND PROPERTY ${property} ${abs})
  endforeach()
endfunction()

# Portable logic: in the core library of every build.
function(vantrel_portable_sources)
  _vantrel_add(VANTREL_PORTABLE_SOURCES ${ARGN})
endfunction()

# Win32 code shared by both programs and the Wine tests.
function(vantrel_win32_sources)
  _vantrel_add(VANTREL_WIN32_SOURCES ${ARGN})
endfunction()

# Win32 code of Qorv.exe only (its windows), without WinMain.
function(vantrel_qorv_sources)
  _vantrel_add(VANTREL_QORV_SOURCES ${ARGN})
endfunction()

# Win32 code of QorvUpDate.exe only, without WinMain.
function(vantrel_updater_sources)
  _vantrel_add(VANTREL_UPDATER_SOURCES ${ARGN})
endfunction()

# Names of the Wine test programs: tests/wine/<name>.cpp becomes <name>.exe in
# the win64 build and the ctest test wine.<name> in the native build.
function(vantrel_wine_test_names out)
  file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/wine/*_test.cpp)
  set(names "")
  foreach(f IN LISTS files)
    get_filename_component(n ${f} NAME_WE)
    list(APPEND names ${n})
  endforeach()
  list(SORT names)
  set(${out} ${names} PARENT_SCOPE)
endfunction()
