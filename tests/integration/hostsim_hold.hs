# plugin: testplugin.dll
# A held song as a player decoding it would hold it: sharing read only, the plug-in cannot
# open it for writing (32, a sharing violation); sharing read, write and delete, it can.
init
hold @DIR@\held.txt read
key W
hold @DIR@\held.txt off
key W
hold @DIR@\held.txt write
key W
hold @DIR@\held.txt off
dump
quit
