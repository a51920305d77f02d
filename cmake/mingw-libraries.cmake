# The libraries of the formats, for the Windows cross build. pugixml is compiled here from
# Debian's own source package (scripts/debian-source.sh fetches it once into the build folder);
# libosmium and protozero are headers only, so the build machine's copies serve, reached through
# a folder that links to those two alone rather than to all of /usr/include; zlib is Debian's
# libz-mingw-w64-dev.
set(USERDB_DEBIAN_SOURCES ${CMAKE_BINARY_DIR}/debian-sources)
execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/debian-source.sh pugixml ${USERDB_DEBIAN_SOURCES}
                RESULT_VARIABLE fetched)
if(NOT fetched EQUAL 0)
  message(FATAL_ERROR "Could not fetch Debian's source package of pugixml (see above)")
endif()
add_library(pugixml STATIC ${USERDB_DEBIAN_SOURCES}/pugixml/src/pugixml.cpp)
target_include_directories(pugixml SYSTEM PUBLIC ${USERDB_DEBIAN_SOURCES}/pugixml/src)
add_library(pugixml::pugixml ALIAS pugixml)

set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(library osmium protozero)
  file(MAKE_DIRECTORY ${host_headers})
  file(CREATE_LINK /usr/include/${library} ${host_headers}/${library} SYMBOLIC)
endforeach()
set(USERDB_OSMIUM_INCLUDE_DIR ${host_headers} CACHE PATH "libosmium's headers" FORCE)
set(USERDB_PROTOZERO_INCLUDE_DIR ${host_headers} CACHE PATH "protozero's headers" FORCE)
# libz.a, not the import library of zlib1.dll, which would have to ship beside the .exe.
set(ZLIB_USE_STATIC_LIBS ON)
