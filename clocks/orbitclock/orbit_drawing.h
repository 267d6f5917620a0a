// The orbit clock's picture: a round dial in which an hour body circles the
// centre, a minute body circles the hour body and a second body circles the
// minute body, each at the angle of the matching clock hand.
#pragma once

#include <ctime>

// The dial's white ring (solid line of thickness 3, radius 230), drawn once
// after the window opens.
void DrawDialFrame();

// One frame: clears the inside of the dial, then fills the dial and draws the
// hour, minute and second bodies for `time`, in that order.
void DrawOrbitFrame(const tm& time);
