# The toolbar's six buttons, their tooltips and commands, and the oscilloscope while audio plays.
# commands_toolbar.check.sh checks the pictures: an icon in each cell, the traces in the
# oscilloscope pane, the tooltip painted and its pixels put back, the save icon in edit mode.
song @DIR@\commands-tagged.mp3 Commands
select 0
init
play
run 1000
shot @DIR@\first.bmp
# grab keeps what the render calls painted between repaints: the oscilloscope's last frame.
run 2000
grab @DIR@\display.bmp
rect 1240
rect 1237
rect 1239
rect 1238
rect 1242
rect 1241
rect 1033
rect 1310
# A shown tooltip holds the toolbar's pixels under it (a bitmap in a memory context).
gdi
move 1239
sleep 300
grab @DIR@\tooltip.bmp
gdi
move 1031
sleep 300
grab @DIR@\restored.bmp
# Neither the frames nor the tooltips leave graphics objects behind.
gdi
run 2000
move 1240
sleep 200
move 1237
sleep 200
run 2000
move 1242
sleep 200
move 1031
sleep 200
run 2000
gdi
# The buttons' commands: edit mode (the help button turns into the save button), back, refresh
# and the song information.
click 1237
grab @DIR@\edit.bmp
dump
click 1237
click 1240
click 1242
dump
# The mouse leaves the buttons, so that no later run finds a tooltip under a resting cursor.
move 1031
sleep 200
quit
