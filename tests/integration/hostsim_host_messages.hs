# plugin: testplugin.dll
# What the plug-in sends the host main window is printed as it happens: IPC_JUMPTOTIME (and
# playback goes there), the Play command (and playback starts), the file-information command,
# and keys posted on to the host.
song Z:\music\one.mp3
init
key J
key P
run 40
dump
key F
key UP
key DOWN
key F9
quit
