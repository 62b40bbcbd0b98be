# plugin: testplugin.dll
# options: --modern-skin
# Under a modern skin the frame is created inside a host window: it has a parent; input still
# reaches the plug-in.
init
key Q
click 1100
dump
quit
