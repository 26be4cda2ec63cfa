#pragma once

// Whether an OpenGL context can be made for the editor's window on this
// system. On X11 this needs the GLX extension and a double-buffered RGBA
// frame-buffer configuration; elsewhere OpenGL is always present.
bool isOpenGLUsable();
