# plugin: testplugin.dll
# Keys reach the plug-in's focused list as real input, with the modifiers held as the
# plug-in's thread sees them (GetKeyboardState); clicks land on the control with the id, and on
# the frame's own client area for `frame`: a real click where the plug-in window leaves some of
# it free, the click's messages to the frame once its window fills it (M).
init
key Q
key Q+SHIFT
key x+CTRL+SHIFT
key A+ALT
key F12
key RETURN
key S
click 1100
dblclick 1031
click frame
dblclick frame
key M
click frame
dblclick frame
dump
quit
