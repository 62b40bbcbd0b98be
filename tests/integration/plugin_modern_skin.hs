# options: --modern-skin
# A frame inside the host's own window is neither put at the saved rectangle nor remembered
# when it moves. One-line mode resizes the outer window, which the host's skin keeps around the
# frame: saved as one-line, the first load after Init brings it back, as F8 does by hand. The
# outer window's height never becomes the saved ScreenHeight, which belongs to the free-standing
# frame; a frame sized away from one line is saved as not one-line.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nScreen_x=300\nScreen_y=80\nScreenWidth=500\nScreenHeight=260\nIsOneLine=1\nOnlineServer=http://127.0.0.1:1\n
file @DIR@\skin.lrc [00:01]One\n[00:02]Two\n
song @DIR@\skin.ogg Skin
select 0
init
rect frame
rect 1031
# A click gives the list the focus, as nothing activates a frame inside another window.
click 1031
key F8
rect frame
rect 1031
key F8
rect frame
moveframe 10 20 400 200
rect frame
quit
cat @DIR@\plugin.ini
