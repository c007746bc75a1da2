# Sources that talk to the operating system come in pairs, NamePosix.cpp and NameWin32.cpp (and
# their tests, NamePosixTest.cpp and NameWin32Test.cpp); this keeps the one for the system being
# built for.
function(kx_platform_sources list_name)
  set(sources ${${list_name}})
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "Posix(Test)?\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "Win32(Test)?\\.cpp$")
  endif()
  set(${list_name} ${sources} PARENT_SCOPE)
endfunction()
