# Read by cpack for each generator: the installer has a name of its own beside the zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "userdb-${CPACK_PACKAGE_VERSION}-setup")
endif()
