# The Windows program's window tests, in process under Wine, linked with the
# program's resources so that the pictures load by number.
add_executable(windows_tests ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/windows_test.cpp ${PROJECT_SOURCE_DIR}/resources/varendo.rc)
target_include_directories(windows_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources)
target_link_libraries(windows_tests PRIVATE varendo_app GTest::gtest_main)
gtest_discover_tests(windows_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST)
