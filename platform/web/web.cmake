# The browser's program: the web backend, the forms linked to a script and its
# wasm, both written into one HTML page with the main window painted as HTML,
# the pictures and the icon: build-web/varendo.html, nothing to fetch.
add_library(varendo_web STATIC platform/web/controls.cpp ${VARENDO_PLATFORM_SHARED})
target_include_directories(varendo_web PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

add_library(varendo_app INTERFACE)
target_link_libraries(varendo_app INTERFACE varendo_forms varendo_web)

add_executable(varendo_script forms/main.cpp)
set_target_properties(varendo_script PROPERTIES OUTPUT_NAME varendo SUFFIX .js)
target_link_libraries(varendo_script PRIVATE varendo_app)
target_link_options(varendo_script PRIVATE -sENVIRONMENT=web
  "-sEXPORTED_FUNCTIONS=_main,_malloc,_free" --js-library ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/glue.js)
set_target_properties(varendo_script PROPERTIES LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/glue.js)

set(VARENDO_PAGE_PICTURES)
foreach(number ${VARENDO_PICTURES})
  list(APPEND VARENDO_PAGE_PICTURES ${number}=${VARENDO_RESOURCE_DIR}/${number}.bmp)
endforeach()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# The main window is painted at build time by the program itself, run under Node.
find_program(VARENDO_NODE node REQUIRED)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/varendo.html
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/make_page.py ${VARENDO_NODE}
          ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/page.html $<TARGET_FILE:varendo_script>
          $<TARGET_FILE_DIR:varendo_script>/varendo.wasm
          ${VARENDO_RESOURCE_DIR}/varendo.ico ${PROJECT_BINARY_DIR}/varendo.html ${VARENDO_PAGE_PICTURES}
  DEPENDS varendo_script platform/web/page.html platform/web/make_page.py platform/web/prepaint.js
          platform/web/start.js platform/web/inflate.js ${VARENDO_PICTURE_FILES} ${VARENDO_RESOURCE_DIR}/varendo.ico
  COMMENT "Writing varendo.html")
add_custom_target(varendo_page ALL DEPENDS ${PROJECT_BINARY_DIR}/varendo.html)
