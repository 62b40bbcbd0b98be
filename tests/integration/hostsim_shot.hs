# plugin: testplugin.dll
# The host frame's pixels as a 24-bit BMP (checked by hostsim_shot.check.sh).
init
shot @DIR@\frame.bmp
quit
