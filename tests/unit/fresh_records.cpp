// Every unit test starts from the global records of a fresh run and the
// program's own clocks and outside hooks, whatever ran before it in the same
// process: a listener puts them back before each test.
#include <gtest/gtest.h>

#include "core/camera.h"
#include "core/clock_internal.h"
#include "core/script.h"
#include "core/system.h"
#include "core/window_internal.h"
#include "editor/editor.h"
#include "logic/actions_internal.h"
#include "media/image_loading_internal.h"
#include "media/texture.h"
#include "menus/console.h"
#include "menus/help.h"
#include "menus/notice.h"
#include "menus/splash.h"
#include "menus/ui.h"
#include "world/world.h"

namespace {

void resetGlobalRecords()
{
    gameSys.reset();
    for (scriptObject* script : {&scriptSys, &uiInfo, &scriptUI, &scriptHelp, &scriptMap, &scriptLogic}) script->clear();
    console = debugConsole();
    notice = uiNotice();
    splash = uiSplash();
    uiHelp = help();
    gameUI = UI();
    uiScriptString = uiString();
    world = gameWorld();
    worldBackup = gameWorld();
    worldEditor = editor();
    camera = Camera();
    for (std::vector<img>* images : {&sysImage, &uiImage, &gameImg, &modelImg}) images->clear();
    setAutoRepeatSwitch(nullptr);
    setModifierSource(nullptr);
    setPointerWarp(nullptr);
    setWindowSizeSource(nullptr);
    setClockSource(nullptr);
    setImageFileLoader(nullptr);
    setActionOutputs(nullptr, nullptr);
}

class FreshRecords : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { resetGlobalRecords(); }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshRecords);
    return true;
}();

}  // namespace
