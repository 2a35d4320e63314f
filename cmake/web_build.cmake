# Building for the browser with Emscripten: WebGL 1 for the GL calls, C++
# exceptions caught as on the desktop, and Asyncify so the message loop can
# wait by handing control back to the browser.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
