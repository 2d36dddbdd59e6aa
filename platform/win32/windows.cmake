# The Windows program: the Win32 backend and Varendo.exe, statically linked,
# with its resources (icon, pictures 101-104, version block, manifest).
add_library(varendo_win32 STATIC platform/win32/controls.cpp ${VARENDO_PLATFORM_SHARED})
target_include_directories(varendo_win32 PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(varendo_win32 PUBLIC UNICODE _UNICODE WINVER=0x0A00 _WIN32_WINNT=0x0A00)
target_link_libraries(varendo_win32 PUBLIC user32 gdi32 comctl32 gdiplus)

add_library(varendo_app INTERFACE)
target_link_libraries(varendo_app INTERFACE varendo_forms varendo_win32)

# Nothing from the compiler's own libraries is left to a DLL.
add_link_options(-static -static-libgcc -static-libstdc++)

add_executable(varendo WIN32 forms/main.cpp ${VARENDO_RC})
set_target_properties(varendo PROPERTIES OUTPUT_NAME Varendo)
target_link_libraries(varendo PRIVATE varendo_app -static)
set_source_files_properties(${VARENDO_RC} PROPERTIES
  OBJECT_DEPENDS "${VARENDO_PICTURE_FILES};${VARENDO_RESOURCE_DIR}/varendo.ico;${VARENDO_MANIFEST}")
