# Read by cpack before it builds the packages. dpkg-shlibdeps names the shared library's own
# dependencies (CPack's run of it would also add ldconfig calls to the maintainer scripts, where
# Debian wants the trigger instead), and the programs' run of it finds the library in the build
# tree: its dependency is the exact version, named outright.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
include(${CPACK_STANGENSPIEL_LIBRARY_FILE} OPTIONAL)
if(NOT EXISTS "${stangenspiel_library}")
  message(FATAL_ERROR "The Debian packages need the shared library (-DSTANGENSPIEL_SHARED=ON), built")
endif()

set(scratch ${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/library-dependencies)
file(MAKE_DIRECTORY ${scratch}/debian)
file(WRITE ${scratch}/debian/control "")
# The sound module travels in the same package: its audio libraries are the package's too.
execute_process(COMMAND dpkg-shlibdeps -O ${stangenspiel_library} ${stangenspiel_sound_module}
  WORKING_DIRECTORY ${scratch} OUTPUT_VARIABLE shlibdeps ERROR_VARIABLE problem RESULT_VARIABLE failed
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(failed)
  message(FATAL_ERROR "dpkg-shlibdeps on ${stangenspiel_library} ${stangenspiel_sound_module}: ${problem}")
endif()
string(REGEX REPLACE "^.*Depends=" "" shlibdeps "${shlibdeps}")
# The library draws through Qt's platform plugins, which no linked library names.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "${shlibdeps}, qt6-qpa-plugins")

get_filename_component(library_folder ${stangenspiel_library} DIRECTORY)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${library_folder})
