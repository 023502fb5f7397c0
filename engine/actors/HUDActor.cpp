#include "engine/actors/HUDActor.h"

#include "engine/rendering/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

HUDActor::HUDActor() {}

void HUDActor::Render()
{
    Camera* camera = Camera::GetInstance();
    const float windowHeight = static_cast<float>(camera->GetWindowHeight());

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, camera->GetWindowWidth(), 0.0, windowHeight);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // Pixel rows count down from the top; OpenGL's count up from the bottom.
    DrawAt(Vector2(_position.X, windowHeight - _position.Y));

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

String HUDActor::GetClassName() const { return "HUDActor"; }
