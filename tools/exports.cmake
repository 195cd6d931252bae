# The shared library exports exactly the calls of the public header, under one version node. The
# version script is made from the header at build time (tools/exports.py), so a declaration added
# there is exported with nothing else to edit; a check compares the built library with the header.
set(STANGENSPIEL_API_HEADER ${CMAKE_SOURCE_DIR}/include/stangenspiel/stangenspiel.h)
set(STANGENSPIEL_EXPORTS_MAP ${CMAKE_BINARY_DIR}/stangenspiel.map)
set(STANGENSPIEL_EXPORTS_TOOL /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/exports.py)
add_custom_command(OUTPUT ${STANGENSPIEL_EXPORTS_MAP}
  COMMAND ${STANGENSPIEL_EXPORTS_TOOL} map --header ${STANGENSPIEL_API_HEADER} --compiler ${CMAKE_CXX_COMPILER}
    --nm ${CMAKE_NM} --output ${STANGENSPIEL_EXPORTS_MAP}
  DEPENDS ${STANGENSPIEL_API_HEADER} ${CMAKE_CURRENT_LIST_DIR}/exports.py
  COMMENT "Version script from the public header" VERBATIM)
add_custom_target(stangenspiel_exports DEPENDS ${STANGENSPIEL_EXPORTS_MAP})
add_dependencies(stangenspiel_public stangenspiel_exports)
target_link_options(stangenspiel_public PRIVATE -Wl,--version-script=${STANGENSPIEL_EXPORTS_MAP})
set_property(TARGET stangenspiel_public APPEND PROPERTY LINK_DEPENDS ${STANGENSPIEL_EXPORTS_MAP})

function(stangenspiel_exports_test)
  if(TARGET test_app)
    add_test(NAME library_exports COMMAND ${STANGENSPIEL_EXPORTS_TOOL} check --header ${STANGENSPIEL_API_HEADER}
      --compiler ${CMAKE_CXX_COMPILER} --nm ${CMAKE_NM} --library $<TARGET_FILE:stangenspiel_public>)
    set_tests_properties(library_exports PROPERTIES LABELS app)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL stangenspiel_exports_test)
