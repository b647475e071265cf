#include "gl/pane_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>

void SceneInit()
{
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(30.0);   // clamped to 1, the far plane
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void setupPaneLighting()
{
    const GLfloat specular[] = {1, 1, 1, 1};
    const GLfloat position[] = {1.5f, 1.5f, 3.0f, 0};   // w = 0: a directional light
    const GLfloat diffuse[] = {1, 1, 0, 0};
    const GLfloat ambient[] = {0.1f, 0.1f, 0.1f, 1.0f};
    glClearColor(0, 0, 0, 0);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 100);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 1.0f);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    // Two-sided lighting ends up off: back faces are lit with the front normal.
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glEnable(GL_DEPTH_TEST);
}

void setPaneProjection(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, double(w) / double(h), 1, 30);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0, 0, -3.6);
}

void beginPanePaint()
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}

void endPanePaint()
{
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    glPopMatrix();
}
