# The pictures of the distributions as the build packs them, by resource
# number: the one list the build reads (the code's is each distribution's
# description in run/distribution.cpp).
set(VARENDO_PICTURES 101 102 103 104)
set(VARENDO_PICTURE_FILES)
foreach(number ${VARENDO_PICTURES})
  list(APPEND VARENDO_PICTURE_FILES ${CMAKE_CURRENT_LIST_DIR}/${number}.bmp)
endforeach()
