# Building for Windows: one statically linked program that needs no DLL
# beyond those every Windows has, and the GL libraries under the names the
# targets use elsewhere.
enable_language(RC)
# No min/max macros, and the C runtime's printf with long double.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE __USE_MINGW_ANSI_STDIO=1
  _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# Static: no C++ runtime DLLs to ship. Stripped when linked, without a time
# stamp: the same sources give the same bytes, in the build and in every package.
add_link_options(-static -Wl,--no-insert-timestamp $<$<NOT:$<CONFIG:Debug,RelWithDebInfo>>:-s>)

add_library(OpenGL::OpenGL INTERFACE IMPORTED)
set_target_properties(OpenGL::OpenGL PROPERTIES INTERFACE_LINK_LIBRARIES opengl32)
add_library(OpenGL::GLU INTERFACE IMPORTED)
set_target_properties(OpenGL::GLU PROPERTIES INTERFACE_LINK_LIBRARIES glu32)

# PE has no ifunc to pick a CPU's variant of a hot loop at load time.
add_compile_definitions(GALAXY_BASELINE_ISA_ONLY)
