# A Release build on Debian takes the distribution's hardening flags, as its own
# packages do: fortified libc calls, the strong stack protector, format checks,
# and full RELRO with immediate binding (bindnow is not on by default, so it is
# asked for). Debian's -g -O2 are left to the build type: the package is
# stripped, and Release chooses its own optimisation.
# Sanitizer and fuzzing builds keep their own flags (fortify and ASan clash),
# and MinGW has no dpkg-buildflags to ask.
if(WIN32 OR QR_SANITIZE OR QR_FUZZ OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
  return()
endif()
find_program(QR_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT QR_DPKG_BUILDFLAGS)
  return()
endif()

set(qr_debian_flags)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  # A packager's own DEB_BUILD_MAINT_OPTIONS come last, so they win. From the
  # source folder, the file-prefix map makes the binary's paths relative to it.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env
      "DEB_BUILD_MAINT_OPTIONS=hardening=+all $ENV{DEB_BUILD_MAINT_OPTIONS}"
      "DEB_CXXFLAGS_MAINT_STRIP=-g -O2"
      ${QR_DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  if(kind STREQUAL "LDFLAGS")
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
  list(APPEND qr_debian_flags ${flags})
endforeach()
list(JOIN qr_debian_flags " " qr_debian_flags)
message(STATUS "Debian build flags: ${qr_debian_flags}")
