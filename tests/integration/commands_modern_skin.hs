# options: --modern-skin
# Under a modern skin the host frame sits inside the skin's window: F7 is refused and the
# adjust-width setting stays off; SHIFT+F7 still toggles the scroll bar.
# The online server is one on this machine, as in every test (nothing is asked here).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineServer=http://127.0.0.1:1\n
song @DIR@\commands-tagged.mp3 Commands
select 0
init
# A click gives the list the focus, as nothing activates a frame inside another window.
click 1031
answer OK
key F7
key F7+SHIFT
quit
cat @DIR@\plugin.ini
