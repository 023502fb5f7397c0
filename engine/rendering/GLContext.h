#pragma once

// Whether an OpenGL context is current on this thread. None is before the window exists or
// after it has closed: OpenGL calls then do nothing and answer nothing, so whatever they
// would make (a texture, a captured glyph) must wait until one is.
bool IsGLContextCurrent();
