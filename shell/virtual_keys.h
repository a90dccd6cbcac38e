// Virtual-key codes for Qt key events.
//
// The editing cycle tells keys apart by the virtual-key numbers of the
// window system it was first written for (space bar 32, Tab 9). Keys keep
// those numbers here: the key a character is typed with (letters by their
// capital, digits and US-layout punctuation by the unshifted key, keypad
// keys by their keypad code), control, navigation and function keys by their
// usual code. Keys without one give 0.
#pragma once

class QKeyEvent;

namespace plinvor {

int VirtualKeyCode(const QKeyEvent& event);

}  // namespace plinvor
