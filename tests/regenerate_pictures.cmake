# Runs the picture generator into a scratch folder and checks that it gives
# the committed files byte for byte.
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${GENERATOR}" "${OUT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "generator failed: ${rc}")
endif()
foreach(name 101.bmp 102.bmp 103.bmp 104.bmp varendo.ico varendo-16.png varendo-32.png)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT}/${name}" "${SOURCE}/resources/${name}"
                  RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${name} differs from what tools/make_pictures draws; run it into resources/")
  endif()
endforeach()
message(STATUS "all pictures regenerate identically")
