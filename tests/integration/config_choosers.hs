# The colour and font choosers, driven as a user would. The colour chooser starts from the
# setting (red 240 of the Font colour, swatch 1301); a new colour is in use at once and survives
# Cancel of the dialog: the save after it writes TXTColor. A cancelled font chooser changes
# nothing, not even the summary.
# The online server is one on this machine, as in every test (nothing is asked here).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineServer=http://127.0.0.1:1\n
init
dialog click 1301
dialog text 706
dialog settext 706 255
dialog settext 707 0
dialog settext 708 0
answer OK
dialog click 1308
answer Cancel
dialog text 1308
answer Cancel
key F12
cat @DIR@\plugin.ini
quit
