# The dialog as drawn: config_picture.check.sh finds each colour swatch painted in its setting's
# colour.
init
dialog shot @DIR@\config.bmp
answer Cancel
key F12
quit
