# The engine and number-text tests run under Node from one script with the
# wasm inside (this Emscripten's runtime would fetch a separate .wasm as a
# URL, which Node refuses); the exit status is main's.
foreach(target engine_tests run_tests)
  target_link_options(${target} PRIVATE -sSINGLE_FILE=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1)
endforeach()

# The window tests' questions, for the page's test to read.
add_executable(expected_rows_json ${CMAKE_CURRENT_SOURCE_DIR}/support/expected_rows_json.cpp)
target_include_directories(expected_rows_json PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(expected_rows_json PRIVATE varendo_run)
target_link_options(expected_rows_json PRIVATE -sSINGLE_FILE=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1)

# The power window's scenarios, listed for the page's driver and checked
# after it by the checks the desktop's drivers use.
add_executable(power_rows_tool ${CMAKE_CURRENT_SOURCE_DIR}/support/power_rows_tool.cpp)
target_include_directories(power_rows_tool PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_link_libraries(power_rows_tool PRIVATE varendo_power)
target_link_options(power_rows_tool PRIVATE -sSINGLE_FILE=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1 -sNODERAWFS=1)

# The page itself in headless Chromium, driven as a user drives it: once in
# the default language and once in German, whose decimal separator is a comma.
foreach(language default de_DE)
  add_test(NAME WebPage.${language}
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/page_test.py ${PROJECT_BINARY_DIR}/varendo.html
            $<TARGET_FILE:expected_rows_json> $<TARGET_FILE:power_rows_tool>)
  set_tests_properties(WebPage.${language} PROPERTIES RESOURCE_LOCK browser)
  if(NOT language STREQUAL default)
    set_tests_properties(WebPage.${language} PROPERTIES ENVIRONMENT "LANGUAGE=${language}")
  endif()
endforeach()

# The page's own gunzip, for browsers without DecompressionStream, against Node's zlib.
add_test(NAME WebPage.Inflate COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/inflate_test.js
         ${PROJECT_SOURCE_DIR}/platform/web/inflate.js)
