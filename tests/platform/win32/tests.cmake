# The Windows program's window tests, in process under Wine, linked with the
# program's resources so that the pictures load by number.
add_executable(windows_tests ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/windows_test.cpp ${VARENDO_RC})
target_include_directories(windows_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_link_libraries(windows_tests PRIVATE varendo_app GTest::gtest_main)
# One at a time: windows of two test processes on the one display would take
# the focus and the foreground from each other.
gtest_discover_tests(windows_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
  PROPERTIES RESOURCE_LOCK desktop)

# The layout again with the screen at 144 dpi: the whole window grows, the
# pictures with it. Alone, as it changes the prefix's DPI while it runs.
add_test(NAME WindowsMain.At144Dpi
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/at_dpi.sh 144 $<TARGET_FILE:windows_tests>
          --gtest_filter=WindowsMain.ControlsStandWhereTheLayoutPutsThem:WindowsMain.PicturesLoadAtTheirSizes:WindowsMain.SelectionsTypingAndRun)
set_tests_properties(WindowsMain.At144Dpi PROPERTIES RUN_SERIAL TRUE)

# Varendo.exe driven from another process through window messages and key
# strokes, as UI automation drives it.
add_executable(driver_tests ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/driver_test.cpp)
target_link_libraries(driver_tests PRIVATE varendo_run GTest::gtest_main user32)
target_include_directories(driver_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_test(NAME WindowsDriven.LinesAndMessagesFromOutside
  COMMAND driver_tests --gtest_filter=WindowsDriven.*
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
set_tests_properties(WindowsDriven.LinesAndMessagesFromOutside PROPERTIES RUN_SERIAL TRUE)
# The same under a comma locale: the lines are repaired to points.
add_test(NAME WindowsDriven.CommaLocale
  COMMAND driver_tests --gtest_filter=WindowsDriven.*
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
set_tests_properties(WindowsDriven.CommaLocale PROPERTIES RUN_SERIAL TRUE
  ENVIRONMENT "LANG=de_DE.UTF-8;LC_ALL=de_DE.UTF-8;VARENDO_EXPECTED_SEPARATOR=,")

# A whole session (every selection, Run, Back, About, Exit, both close boxes)
# under Wine's exception tracing: no fault may be raised, even one Wine forgives.
add_test(NAME WindowsDriven.NoExceptionUnderTracing
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/no_exception_traced.sh $<TARGET_FILE:driver_tests>
          --gtest_filter=WindowsDriven.LinesAndMessagesFromOutside:WindowsDriven.EveryCommandAndBothCloseBoxes
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
set_tests_properties(WindowsDriven.NoExceptionUnderTracing PROPERTIES RUN_SERIAL TRUE)
