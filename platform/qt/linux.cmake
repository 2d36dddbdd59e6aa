# The Linux program: the Qt 6 backend, the executable, its installation and
# Debian package, and the tools that measure it.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
qt_standard_project_setup()

# The Qt 6 backend of the window layer, with the pictures and the icon.
add_library(varendo_qt STATIC platform/qt/controls.cpp ${VARENDO_PLATFORM_SHARED})
target_include_directories(varendo_qt PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(varendo_qt PUBLIC Qt6::Widgets)
qt_add_resources(varendo_qt bitmaps
  PREFIX /bitmaps
  BASE resources
  FILES ${VARENDO_PICTURE_FILES}
)
# The window icon as PNG, which Qt reads without loading an image plugin (the
# .ico would cost a plugin scan at every start); the same pixels as the .ico's
# 16-colour images.
qt_add_resources(varendo_qt icons
  PREFIX /icons
  BASE resources
  FILES resources/varendo-16.png resources/varendo-32.png
)
# The Linux program's windows: the forms over the Qt backend.
add_library(varendo_app INTERFACE)
target_link_libraries(varendo_app INTERFACE varendo_forms varendo_qt)

qt_add_executable(varendo forms/main.cpp)
target_link_libraries(varendo PRIVATE varendo_app)

# Draws the pictures and the icon committed under resources/.
add_executable(make_pictures tools/make_pictures.cpp)

# Benchmarks (make bench), where their libraries are installed.
find_package(benchmark QUIET)
find_package(X11 QUIET)
if(benchmark_FOUND AND X11_FOUND)
  add_executable(engine_bench EXCLUDE_FROM_ALL tools/engine_bench.cpp)
  target_link_libraries(engine_bench PRIVATE varendo_engine varendo_charts benchmark::benchmark)
  add_executable(startup_probe EXCLUDE_FROM_ALL tools/startup_probe.cpp)
  target_link_libraries(startup_probe PRIVATE X11::X11)
  add_executable(empty_window EXCLUDE_FROM_ALL tools/empty_window.cpp)
  target_link_libraries(empty_window PRIVATE Qt6::Widgets)
endif()

# Installation: the program, its menu entry, icons and AppStream data.
include(GNUInstallDirs)
install(TARGETS varendo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/varendo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32)
  install(FILES resources/varendo-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME varendo.png)
endforeach()
install(FILES ${VARENDO_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/varendo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varendo)
set(CPACK_PACKAGE_VENDOR "The Varendo developers")
# No made-up address: the project has none yet.
set(CPACK_PACKAGE_CONTACT "The Varendo developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator of statistical significance")
set(CPACK_PACKAGE_DESCRIPTION "Tail probabilities of chi-square, standard normal, Student t and F\n statistics, shown under a picture of the distribution.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's libraries come from the shared-library scan; the font is a data package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
include(CPack)

