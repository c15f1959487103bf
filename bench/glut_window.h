// The window a bench draws in: double-buffered RGBA with depth, as the
// program asks for its own, at the top left of the screen. Needs freeglut
// only, so that the bare-window reference can use it too.
#pragma once
#include <GL/freeglut.h>

inline void openBenchWindow(int& argc, char** argv, int width, int height, const char* title)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(0, 0);
    glutCreateWindow(title);
}
