# stangenspiel-grconvert: ".gr" pictures to PNG and back, from the command line.
add_executable(stangenspiel-grconvert ${CMAKE_CURRENT_LIST_DIR}/grconvert.cpp)
target_compile_options(stangenspiel-grconvert PRIVATE ${STANGENSPIEL_WARNINGS})
target_link_libraries(stangenspiel-grconvert PRIVATE stangenspiel_lib)
include(GNUInstallDirs)
install(TARGETS stangenspiel-grconvert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT game)

# The graphics tests run the converter, so it is built before them (they are defined later).
function(stangenspiel_grconvert_for_tests)
  if(TARGET test_graphics)
    add_dependencies(test_graphics stangenspiel-grconvert)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL stangenspiel_grconvert_for_tests)
