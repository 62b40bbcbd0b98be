# plugin: testplugin.dll
# Message boxes and dialogs are found, printed with their caption and text (line breaks as \n)
# and answered from the queue: standard buttons, a button named by its text, and text put into
# a dialog's edit control first. Config runs on the host's main thread and its box is answered
# there too.
init
answer Yes
key Y
answer No
key Y
answer cancel
key Y
dialog-text first line\nsecond line
answer OK
key D
answer Later
key D
answer OK
config
dump
quit
