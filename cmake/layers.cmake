# Each library sees only the folders of the tree that its layer may use: its include root is a
# folder of links to just those, so an include from a layer above fails to build.
#   userdb_layer(TARGET ENTRY...)  ENTRY: a folder of the tree ("database") or one file of it
#                                  ("base/page_layout.h")
get_filename_component(USERDB_TREE "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

function(userdb_layer target)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${root})
  foreach(entry ${ARGN})
    get_filename_component(parent ${root}/${entry} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${USERDB_TREE}/${entry} ${root}/${entry} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
