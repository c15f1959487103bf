// The reference of bench_first_frame: a bare freeglut window with the
// program's display mode and window size whose display callback clears and
// swaps. Linked with freeglut and OpenGL only.
#include "bench/glut_window.h"

namespace {

constexpr int windowW = 800, windowH = 600;

void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv)
{
    openBenchWindow(argc, argv, windowW, windowH, "Quorvane");
    glutDisplayFunc(display);
    glutMainLoop();
    return 0;
}
