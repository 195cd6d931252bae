# The resource folder: the bitmap fonts (16x32 rendered from DejaVu Sans Mono, 8x16 and 12x24
# from the Terminus bitmap typeface) and the alert sound, all generated at build time into
# ${STANGENSPIEL_RESOURCE_DIR}.
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

set(STANGENSPIEL_BITMAP_TYPEFACE_DIR /usr/share/fonts/opentype/terminus CACHE PATH
  "Folder of the Terminus bitmap typeface (OTB files), the source of the 8x16 and 12x24 fonts")
set(bitmap_bold ${STANGENSPIEL_BITMAP_TYPEFACE_DIR}/terminus-bold.otb)
set(bitmap_normal ${STANGENSPIEL_BITMAP_TYPEFACE_DIR}/terminus-normal.otb)

# One font file: make_fonts renders the typeface into cells of width x height. The names are
# neutral: the typefaces' licences reserve their names for the originals.
set(font_files "")
function(stangenspiel_font name typeface width height)
  set(output "${STANGENSPIEL_RESOURCE_DIR}/${name}.font")
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${STANGENSPIEL_RESOURCE_DIR}
    COMMAND make_fonts ${output} ${typeface} ${width} ${height}
    DEPENDS make_fonts ${typeface}
    COMMENT "Rendering the bitmap font ${name}"
    VERBATIM)
  set(font_files ${font_files} ${output} PARENT_SCOPE)
endfunction()
stangenspiel_font("MenloBold 16x32" ${typeface_bold} 16 32)
stangenspiel_font("MenloRegular 16x32" ${typeface_book} 16 32)
stangenspiel_font("MonoBold 8x16" ${bitmap_bold} 8 16)
stangenspiel_font("Mono 8x16" ${bitmap_normal} 8 16)
stangenspiel_font("MonoBold 12x24" ${bitmap_bold} 12 24)
stangenspiel_font("Mono 12x24" ${bitmap_normal} 12 24)

set(alert_sound "${STANGENSPIEL_RESOURCE_DIR}/sysbeep.aif")
add_custom_command(OUTPUT ${alert_sound}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${STANGENSPIEL_RESOURCE_DIR}
  COMMAND make_beep ${alert_sound}
  DEPENDS make_beep
  COMMENT "Writing the alert sound"
  VERBATIM)
add_custom_target(stangenspiel_resources ALL DEPENDS ${font_files} ${alert_sound})

install(FILES ${font_files} ${alert_sound} DESTINATION ${CMAKE_INSTALL_DATADIR}/stangenspiel
  COMPONENT runtime)
