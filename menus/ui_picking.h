// Click handling of the console's buttons and the help panel's opening and
// closing, offered the pick code under the pointer by the picking core.
#pragma once

// `pixel`: the three bytes R, G, B of a pick code. 1 when the click or hover
// was consumed, 0 to let the next handler try.
int uiPicking(const unsigned char* pixel);
