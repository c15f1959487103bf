// Program entry: the command line goes to GLUT unchanged.
#include <GL/freeglut.h>

#include "core/init.h"

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    init();
    return 0;
}
