// The frame loop and the shutdown.
#include "core/frame.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "core/init.h"
#include "core/log.h"
#include "core/system.h"
#include "menus/console.h"
#include "menus/help.h"
#include "menus/notice.h"

namespace {

constexpr double screenWidth = 800.0;
constexpr double screenHeight = 600.0;
constexpr int millisecondsPerSecond = 1000;

int glutElapsedMs()
{
    return glutGet(GLUT_ELAPSED_TIME);
}

frameClockFunc frameClock = glutElapsedMs;
int lastFrameTime = 0;

bool shuttingDown = false;
int shutdownStatus = quitStatusUser;

bool isPlayState(int state)
{
    return state == gameStatePlay || state == gameStatePlaytest;
}

}  // namespace

void setFrameClock(frameClockFunc clock)
{
    frameClock = clock ? clock : glutElapsedMs;
}

void resetFrameLimiter()
{
    lastFrameTime = 0;
}

void idleFunc()
{
    glutPostRedisplay();
}

bool renderScene()
{
    const int now = frameClock();
    const int elapsed = now - lastFrameTime;
    bool due;
    if (isPlayState(gameSys.getGameState())) {
        due = elapsed > playFrameIntervalMs;
    } else {
        const int cap = gameSys.getFPSRender();
        due = cap == 0 || elapsed > millisecondsPerSecond / cap;
    }
    if (due) lastFrameTime = now;
    return due;
}

void display()
{
    if (!renderScene()) return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glEnable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);

    const int state = gameSys.getGameState();
    if (state != gameStateSplash) noticeRender();
    helpRender();
    if (console.getConsoleState()) consoleRender();

    glutSwapBuffers();
}

void draw2dortho()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, screenWidth, screenHeight, 0.0);
    glScalef(-1.0f, -1.0f, 0.5f);
    glTranslatef(0.0f, 0.0f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
}

void leave2dortho()
{
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void quitEngine(int status)
{
    if (status > shutdownStatus) shutdownStatus = status;
    if (shuttingDown) return;
    shuttingDown = true;

    gameLog.closeLog();
    saveSystem();
    std::exit(shutdownStatus);
}
