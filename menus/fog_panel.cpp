// The fog panel's functions.
#include "menus/fog_panel.h"

#include <cmath>

#include "world/world.h"

namespace {

constexpr double fogStep = 0.1;
// A stepped value this close to a tenth is that tenth, so that steps of a
// tenth in float land on 1.0 and 0.1 exactly and reach both ends.
constexpr double tenthSnap = 1e-4;

struct fogValues {
    bool on;
    float density, r, g, b;
};

// What each function steps: the field and the direction.
struct fogStepFunction {
    int function;
    float fogValues::*field;
    double delta;
};
const fogStepFunction fogStepFunctions[] = {
    {fogFunctionDensityUp, &fogValues::density, fogStep}, {fogFunctionDensityDown, &fogValues::density, -fogStep},
    {fogFunctionRedUp, &fogValues::r, fogStep},           {fogFunctionRedDown, &fogValues::r, -fogStep},
    {fogFunctionGreenUp, &fogValues::g, fogStep},         {fogFunctionGreenDown, &fogValues::g, -fogStep},
    {fogFunctionBlueUp, &fogValues::b, fogStep},          {fogFunctionBlueDown, &fogValues::b, -fogStep},
};

float stepped(float value, double delta)
{
    const double next = static_cast<double>(value) + delta;
    const double tenth = std::round(next * 10.0) / 10.0;
    return static_cast<float>(std::fabs(next - tenth) < tenthSnap ? tenth : next);
}

}  // namespace

void menuFunction(int function)
{
    const int m = world.getCurrentMap();
    fogValues fog{};
    world.worldGetFog(fog.on, fog.density, fog.r, fog.g, fog.b, m);
    if (function == fogFunctionToggle) {
        fog.on = !fog.on;
    } else {
        const fogStepFunction* step = nullptr;
        for (const fogStepFunction& f : fogStepFunctions)
            if (f.function == function) step = &f;
        if (!step) return;
        fog.*(step->field) = stepped(fog.*(step->field), step->delta);
    }
    world.worldSetFog(fog.on, fog.density, fog.r, fog.g, fog.b, m);
}
