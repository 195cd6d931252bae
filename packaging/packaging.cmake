# What the puzzle installs besides the library, the documentation every package carries, and
# the Debian packages built by CPack (packaging/debian_packages.cmake).
include(GNUInstallDirs)

set(STANGENSPIEL_INSTALL_GAMESDIR games CACHE STRING "Folder of the puzzle below the install prefix")
set(STANGENSPIEL_GAME_PATH ${CMAKE_INSTALL_PREFIX}/${STANGENSPIEL_INSTALL_GAMESDIR}/stangenspiel)
set(packaging_output ${CMAKE_CURRENT_BINARY_DIR}/packaging)
set(packaging_source ${CMAKE_CURRENT_SOURCE_DIR}/packaging)

# The packages and the install component each one is made of; the Python module's when it is built.
set(STANGENSPIEL_PACKAGE_runtime libstangenspiel0)
set(STANGENSPIEL_PACKAGE_development libstangenspiel-dev)
set(STANGENSPIEL_PACKAGE_game stangenspiel)
set(STANGENSPIEL_PACKAGE_python python3-stangenspiel)
set(STANGENSPIEL_PACKAGE_COMPONENTS runtime development game)
if(TARGET stangenspiel_python)
  list(APPEND STANGENSPIEL_PACKAGE_COMPONENTS python)
  install(FILES examples/python/paint.py examples/python/terminal.py examples/python/guess.py
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${STANGENSPIEL_PACKAGE_python}/examples COMPONENT python)
endif()

# The puzzle lives with the games; it finds the library's resources from the library's place.
install(TARGETS stangenspiel RUNTIME DESTINATION ${STANGENSPIEL_INSTALL_GAMESDIR} COMPONENT game)
if(STANGENSPIEL_INSTALL_RPATH)
  file(RELATIVE_PATH games_to_lib /${STANGENSPIEL_INSTALL_GAMESDIR} /${CMAKE_INSTALL_LIBDIR})
  set_target_properties(stangenspiel PROPERTIES INSTALL_RPATH "$ORIGIN/${games_to_lib}")
endif()
# The menu entry names the program by its full path: /usr/games is not on every session's PATH.
configure_file(${packaging_source}/stangenspiel.desktop.in ${packaging_output}/stangenspiel.desktop @ONLY)
install(FILES ${packaging_output}/stangenspiel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT game)
install(FILES ${packaging_source}/stangenspiel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT game)
install(FILES ${packaging_source}/io.github.stangenspiel.Stangenspiel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT game)

# Manual pages and the changelog are compressed as Debian ships them: gzip -9n leaves out the
# name and time stamp, so the same sources give the same bytes.
function(stangenspiel_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${source} ${output}
    DEPENDS ${source} VERBATIM)
endfunction()
stangenspiel_gzip(${packaging_source}/man/stangenspiel.6 ${packaging_output}/stangenspiel.6.gz)
stangenspiel_gzip(${packaging_source}/man/stangenspiel-grconvert.1 ${packaging_output}/stangenspiel-grconvert.1.gz)
stangenspiel_gzip(${packaging_source}/debian/changelog ${packaging_output}/changelog.Debian.gz)
add_custom_target(stangenspiel_package_files ALL DEPENDS ${packaging_output}/stangenspiel.6.gz
  ${packaging_output}/stangenspiel-grconvert.1.gz ${packaging_output}/changelog.Debian.gz)
install(FILES ${packaging_output}/stangenspiel.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)
install(FILES ${packaging_output}/stangenspiel-grconvert.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT game)

# Each package carries the licences of everything the packages hold, the changelog, and the
# lintian findings that are meant so (each with its reason).
foreach(component ${STANGENSPIEL_PACKAGE_COMPONENTS})
  set(package ${STANGENSPIEL_PACKAGE_${component}})
  install(FILES ${packaging_source}/debian/copyright ${packaging_output}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
  install(FILES ${packaging_source}/debian/${package}.lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME ${package} COMPONENT ${component})
endforeach()

# A newcomer's material: the examples' sources and the API reference (built with
# -DSTANGENSPIEL_API_REFERENCE=ON; doxygen fails on an undocumented declaration).
set(devdoc ${CMAKE_INSTALL_DATAROOTDIR}/doc/${STANGENSPIEL_PACKAGE_development})
install(FILES examples/paint.cpp examples/terminal.cpp examples/windows.cpp examples/guess.cpp examples/music.cpp
        DESTINATION ${devdoc}/examples COMPONENT development)
option(STANGENSPIEL_API_REFERENCE "Build the HTML API reference and install it" OFF)
if(STANGENSPIEL_API_REFERENCE)
  # Static menus and no search: the pages then need plain jQuery only, which Debian ships once
  # for every package (libjs-jquery) instead of the copy doxygen writes.
  set(reference ${packaging_output}/reference)
  add_custom_command(OUTPUT ${reference}/api/index.html
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tools/api_reference.sh ${reference}
      "HTML_DYNAMIC_MENUS = NO" "SEARCHENGINE = NO"
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/include/stangenspiel/stangenspiel.h ${CMAKE_CURRENT_SOURCE_DIR}/docs/Doxyfile
    COMMENT "Building the API reference" VERBATIM)
  add_custom_target(stangenspiel_api_reference ALL DEPENDS ${reference}/api/index.html)
  install(DIRECTORY ${reference}/api DESTINATION ${devdoc} COMPONENT development PATTERN jquery.js EXCLUDE)
  file(CREATE_LINK ../../../javascript/jquery/jquery.js ${packaging_output}/jquery.js SYMBOLIC)
  install(FILES ${packaging_output}/jquery.js DESTINATION ${devdoc}/api COMPONENT development)
  set(STANGENSPIEL_REFERENCE_DEPENDS ", libjs-jquery")
endif()

include(${packaging_source}/debian_packages.cmake)
