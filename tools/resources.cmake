# The resource folder: the two bitmap fonts rendered from DejaVu Sans Mono and the alert sound,
# all generated at build time into ${STANGENSPIEL_RESOURCE_DIR}.
include(GNUInstallDirs)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)

set(STANGENSPIEL_TYPEFACE_DIR /usr/share/fonts/truetype/dejavu CACHE PATH "Folder of DejaVu Sans Mono")
set(typeface_bold ${STANGENSPIEL_TYPEFACE_DIR}/DejaVuSansMono-Bold.ttf)
set(typeface_book ${STANGENSPIEL_TYPEFACE_DIR}/DejaVuSansMono.ttf)

# The font tool codes with the program's own LZW coder, so it builds those few sources itself
# instead of linking the whole framework and Qt.
add_executable(make_fonts tools/make_fonts.cpp graphics/lzw.cpp core/clock.cpp core/report.cpp
  core/text_utilities.cpp)
target_include_directories(make_fonts PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/include)
target_compile_options(make_fonts PRIVATE ${STANGENSPIEL_WARNINGS})
target_link_libraries(make_fonts PRIVATE PkgConfig::FREETYPE ICU::uc)

add_executable(make_beep tools/make_beep.cpp)
target_compile_options(make_beep PRIVATE ${STANGENSPIEL_WARNINGS})

set(font_bold "${STANGENSPIEL_RESOURCE_DIR}/MenloBold 16x32.font")
set(font_regular "${STANGENSPIEL_RESOURCE_DIR}/MenloRegular 16x32.font")
set(alert_sound "${STANGENSPIEL_RESOURCE_DIR}/sysbeep.aif")

add_custom_command(OUTPUT ${font_bold} ${font_regular}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${STANGENSPIEL_RESOURCE_DIR}
  COMMAND make_fonts ${STANGENSPIEL_RESOURCE_DIR} ${typeface_bold} ${typeface_book}
  DEPENDS make_fonts ${typeface_bold} ${typeface_book}
  COMMENT "Rendering the bitmap fonts"
  VERBATIM)
add_custom_command(OUTPUT ${alert_sound}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${STANGENSPIEL_RESOURCE_DIR}
  COMMAND make_beep ${alert_sound}
  DEPENDS make_beep
  COMMENT "Writing the alert sound"
  VERBATIM)
add_custom_target(stangenspiel_resources ALL DEPENDS ${font_bold} ${font_regular} ${alert_sound})

install(FILES ${font_bold} ${font_regular} ${alert_sound} DESTINATION ${CMAKE_INSTALL_DATADIR}/stangenspiel
  COMPONENT runtime)
