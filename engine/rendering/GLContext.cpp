#include "engine/rendering/GLContext.h"

#include <GL/gl.h>

// OpenGL names no version while no context is current.
bool IsGLContextCurrent() { return glGetString(GL_VERSION) != 0; }
