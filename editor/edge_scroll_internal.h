// The edge scroll's test hook: the speed the next updateEditorScroll passes
// (0 at program start), read and set by the tests. Only the edge scroll and
// the tests include this header.
#pragma once

float getScrollMultiplier();
void setScrollMultiplier(float speed);
