#pragma once

#include <string>

namespace zor::hostsim {

// What the command tests look at beyond the list dump.

// Prints "cat PATH N bytes" and the file's bytes line by line, CR, LF and other control bytes
// written as escapes (\r, \n, \xHH), so that line ends show exactly; "cat PATH missing" when
// the file cannot be read.
void printFile(const std::string& path);

// Prints "rect ID X Y W H visible|hidden at FX FY": the plug-in control's place in its parent's
// client area, and where its top-left corner lies in a picture of the host frame (shot, grab).
// Controls are looked up among the host frame's descendants, a visible one first.
void printControlRect(int controlId);

// Prints "text ID "<text>"": the plug-in control's window text (line breaks as \n), read with a
// timeout since the control belongs to the plug-in's thread.
void printControlText(int controlId);
// The same text, as UTF-8.
std::string controlText(int controlId);

// Prints "rect frame X Y W H visible|hidden": the host frame's outer rectangle on the screen.
void printFrameRect();

// Moves the mouse onto the centre of the plug-in control, as a user's hand would; the plug-in's
// thread handles the move while it pumps (follow with sleep).
void moveMouseOnto(int controlId);

// Writes the host frame's pixels as a 24-bit BMP exactly as they are on the screen, without the
// repaint that shot asks for first: what the plug-in painted outside a repaint (the
// oscilloscope's last frame, a tooltip) is still there. Prints "grab FILE".
void grabFrame(const std::string& path);

}  // namespace zor::hostsim
