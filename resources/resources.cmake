# The files that carry the version or the picture list, written from the one
# place each is defined: the project's version, resources/pictures.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/pictures.cmake)

set(VARENDO_GENERATED ${PROJECT_BINARY_DIR}/generated)
set(VARENDO_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
# "1.00": the version block's short form, major and two digits of minor.
math(EXPR minor_padded "100 + ${PROJECT_VERSION_MINOR}")
string(SUBSTRING ${minor_padded} 1 2 minor_padded)
set(VARENDO_VERSION_SHORT "${PROJECT_VERSION_MAJOR}.${minor_padded}")
set(VARENDO_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
string(REPLACE "." "," VARENDO_VERSION_COMMAS "${VARENDO_VERSION_QUAD}")

set(VARENDO_BITMAP_LINES)
foreach(number ${VARENDO_PICTURES})
  string(APPEND VARENDO_BITMAP_LINES "${number} BITMAP \"${VARENDO_RESOURCE_DIR}/${number}.bmp\"\n")
endforeach()

set(VARENDO_MANIFEST ${VARENDO_GENERATED}/varendo.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/varendo.manifest.in ${VARENDO_MANIFEST} @ONLY)
set(VARENDO_RC ${VARENDO_GENERATED}/varendo.rc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/varendo.rc.in ${VARENDO_RC} @ONLY)
set(VARENDO_METAINFO ${VARENDO_GENERATED}/org.varendo.varendo.metainfo.xml)
configure_file(${CMAKE_CURRENT_LIST_DIR}/org.varendo.varendo.metainfo.xml.in ${VARENDO_METAINFO} @ONLY)
file(WRITE ${VARENDO_GENERATED}/version.txt "${PROJECT_VERSION}\n")
