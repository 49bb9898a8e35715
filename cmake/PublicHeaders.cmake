# zet_public_headers(TARGET FOLDER HEADER...): the headers of TARGET that other code may include,
# as "FOLDER/HEADER". They are linked into an include tree of the target's own, its only public
# include folder: a header left out (an internal one, included by its bare name from its own
# folder) cannot be reached from anywhere else, and a library reaches only the folders of the
# libraries it links, so an include that runs up the layers does not compile.
function(zet_public_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header ${ARGN})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${folder}/${header} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# zet_white_box_test(TARGET): a test program may include every header of the program, internal
# ones too ("gallery/DecodeBudget.h"), and the test support ("support/TempFolder.h").
function(zet_white_box_test target)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
endfunction()
