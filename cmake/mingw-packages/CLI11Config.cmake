# CLI11 for the Windows cross build. It is headers only, but Debian's package puts /usr/include
# on the include path, whose C headers are the build machine's and break mingw-w64's. This one
# offers the CLI folder alone.
set(USERDB_CLI11_ROOT ${CMAKE_BINARY_DIR}/cli11-include)
if(NOT EXISTS ${USERDB_CLI11_ROOT}/CLI)
  file(MAKE_DIRECTORY ${USERDB_CLI11_ROOT})
  file(CREATE_LINK /usr/include/CLI ${USERDB_CLI11_ROOT}/CLI SYMBOLIC)
endif()
if(NOT TARGET CLI11::CLI11)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${USERDB_CLI11_ROOT})
endif()
set(CLI11_FOUND TRUE)
