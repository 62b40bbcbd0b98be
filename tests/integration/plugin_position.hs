# The frame comes up at the rectangle saved in plugin.ini and remembers where the user moves it;
# a negative left (top) edge keeps the old left (top) and width (height). Quit writes the values
# into the existing file, the keys it lacked appended after the others, and the next Init puts
# the frame there.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nScreen_x=120\nScreen_y=80\nScreenWidth=500\nScreenHeight=260\nOnlineServer=http://127.0.0.1:1\n
song @DIR@\pos.ogg Position
select 0
init
rect frame
moveframe 200 150 520 280
rect frame
moveframe -30 40 510 290
moveframe 10 -20 530 300
quit
cat @DIR@\plugin.ini
init
rect frame
quit
