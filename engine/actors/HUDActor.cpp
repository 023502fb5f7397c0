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
    glTranslatef(_position.X, windowHeight - _position.Y, 0.0f);
    glRotatef(_rotation, 0.0f, 0.0f, 1.0f);
    glScalef(_size.X, _size.Y, 1.0f);
    glColor4f(_color.R, _color.G, _color.B, _color.A);

    const int tex = _spriteTextureReferences[_spriteCurrentFrame];
    if (tex >= 0)
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, tex);
    }
    DrawShape(tex);
    if (tex >= 0)
    {
        glDisable(GL_TEXTURE_2D);
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

String HUDActor::GetClassName() const { return "HUDActor"; }
