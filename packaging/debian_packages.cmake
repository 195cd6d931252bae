# The Debian packages, split as Debian splits a library: libstangenspiel0 (the shared library
# and its resources), libstangenspiel-dev (what a program is built with), stangenspiel (the
# puzzle and the picture converter) and python3-stangenspiel (the Python module). Build them
# from a Release tree configured with -DCMAKE_INSTALL_PREFIX=/usr -DSTANGENSPIEL_INSTALL_RPATH=OFF;
# tools/packages.sh does all of it.
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(STATUS "Debian packages want -DCMAKE_INSTALL_PREFIX=/usr (now ${CMAKE_INSTALL_PREFIX})")
endif()

# The changelog's newest entry names the Debian version; it must be this project's version.
file(STRINGS ${packaging_source}/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^stangenspiel \\(([^)-]+)-([^)]+)\\)")
  message(FATAL_ERROR "packaging/debian/changelog: no version in its first line")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/debian/changelog is at ${CMAKE_MATCH_1}, the project at ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})
set(debian_version ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME stangenspiel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Stangenspiel developers <dev@stangenspiel.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${STANGENSPIEL_PACKAGE_COMPONENTS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE stangenspiel)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
foreach(component ${STANGENSPIEL_PACKAGE_COMPONENTS})
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${STANGENSPIEL_PACKAGE_${component}})
endforeach()

set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION [[window framework with the working conditions of a classic home computer
The framework gives a program its own program thread, eight numbered graphic
windows whose pixels and character screens live in one simulated 16 MB video
memory, text output with cursor control and bitmap fonts, pixel graphics from
1 to 32 bits, key, mouse and menu events, .gr picture files, the clipboard,
a virtual printer and a system console, all on real Qt windows.

This package contains the shared library and its resources: two bitmap fonts
rendered from DejaVu Sans Mono and the alert sound.]])
# The library's own dependencies come from dpkg-shlibdeps at packaging time
# (packaging/library_dependencies.cmake), where also its shlibs and ldconfig trigger are
# written: CPack's own way would call ldconfig from maintainer scripts.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${packaging_output}/shlibs ${packaging_output}/triggers)
file(WRITE ${packaging_output}/shlibs
  "libstangenspiel ${PROJECT_VERSION_MAJOR} ${STANGENSPIEL_PACKAGE_runtime} (>= ${PROJECT_VERSION})\n")
file(WRITE ${packaging_output}/triggers "activate-noawait ldconfig\n")
if(STANGENSPIEL_SHARED)
  file(GENERATE OUTPUT ${packaging_output}/library_file.cmake
    CONTENT "set(stangenspiel_library \"$<TARGET_FILE:stangenspiel_public>\")
set(stangenspiel_sound_module \"$<TARGET_FILE:stangenspiel_sound>\")\n")
endif()
set(CPACK_STANGENSPIEL_LIBRARY_FILE ${packaging_output}/library_file.cmake)
set(CPACK_PROJECT_CONFIG_FILE ${packaging_source}/library_dependencies.cmake)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
  "${STANGENSPIEL_PACKAGE_runtime} (= ${debian_version})${STANGENSPIEL_REFERENCE_DEPENDS}")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION [[window framework of a classic home computer - development files
The framework gives a program its own program thread, eight numbered graphic
windows in one simulated video memory, text output with bitmap fonts, pixel
graphics, key, mouse and menu events, a virtual printer and a system console.

This package contains what a program is built with: the public header
<stangenspiel/stangenspiel.h>, the CMake package (find_package(Stangenspiel)),
the pkg-config file, the sources of three example programs and the API
reference in HTML.]])

set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "${STANGENSPIEL_PACKAGE_runtime} (= ${debian_version})")
set(CPACK_DEBIAN_GAME_DESCRIPTION [[three-rod disk puzzle, one move per key press
Choose 2 to 9 disks: the program explains the rules in German, draws the rods
and disks and plays the shortest solution, one move per key press. It runs on
a small window framework with the working conditions of a classic home
computer, and can play a scripted game without a display.

The package also contains stangenspiel-grconvert, which turns the .gr
pictures a program on the framework saves into PNG files and back.]])

# The module is built for the one python3 of the distribution (its ABI tag is in the file name).
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${STANGENSPIEL_PACKAGE_runtime} (= ${debian_version}), ${STANGENSPIEL_PYTHON_DEPENDS}")
set(CPACK_DEBIAN_PYTHON_DESCRIPTION [[window framework of a classic home computer - Python module
The framework gives a program its own program thread, eight numbered graphic
windows in one simulated video memory, text output with bitmap fonts, pixel
graphics, key, mouse and menu events, a virtual printer and a system console.

This package contains the module stangenspiel for Python 3: every operation of
the framework under its own name, runprogram to start a program written in
Python, a type stub for editors and two example programs.]])

include(CPack)
