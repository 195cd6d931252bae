# What `cmake --install` puts in place for programs built on the framework: the library, the
# public headers, a CMake package (find_package(Stangenspiel)) and a pkg-config file.
include(CMakePackageConfigHelpers)

set(STANGENSPIEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Stangenspiel)

install(TARGETS stangenspiel_public EXPORT StangenspielTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# The sound module, loaded at the first sound, in the library's own folder below libdir.
install(TARGETS stangenspiel_sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/stangenspiel COMPONENT runtime)
install(DIRECTORY include/stangenspiel DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
install(EXPORT StangenspielTargets NAMESPACE Stangenspiel:: DESTINATION ${STANGENSPIEL_CMAKE_DIR}
  COMPONENT development)

# A static library brings its dependencies along: the package config finds them for the program.
if(STANGENSPIEL_SHARED)
  set(STANGENSPIEL_FIND_DEPENDENCIES "")
  set(STANGENSPIEL_PC_PRIVATE "")
else()
  set(STANGENSPIEL_FIND_DEPENDENCIES [[
find_dependency(Qt6 COMPONENTS Core Gui Widgets)
find_dependency(ICU COMPONENTS uc i18n)
find_dependency(Threads)
find_dependency(GIF 5)]])
  set(STANGENSPIEL_PC_PRIVATE "Requires.private: Qt6Widgets icu-uc icu-i18n\nLibs.private: -lgif")
endif()
configure_package_config_file(cmake/StangenspielConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/StangenspielConfig.cmake INSTALL_DESTINATION ${STANGENSPIEL_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/StangenspielConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/StangenspielConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/StangenspielConfigVersion.cmake
  DESTINATION ${STANGENSPIEL_CMAKE_DIR} COMPONENT development)

# The prefix is found from the file's own place, so the same file serves any install prefix.
file(RELATIVE_PATH STANGENSPIEL_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" STANGENSPIEL_PC_TO_PREFIX "${STANGENSPIEL_PC_TO_PREFIX}")
configure_file(cmake/stangenspiel.pc.in ${CMAKE_CURRENT_BINARY_DIR}/stangenspiel.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/stangenspiel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT development)
