# The swatches are painted with brushes made for each paint, and the oscilloscope swatch replaces
# the oscilloscope's pen: repainting the dialog and opening it again and again leave the count of
# graphics objects where it was.
init
run 100
gdi
dialog redraw
dialog redraw
dialog redraw
answer Cancel
key F12
gdi
answer Cancel
key F12
dialog redraw
answer OK
key F12
run 100
gdi
quit
