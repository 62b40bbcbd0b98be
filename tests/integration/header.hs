# The host finds the plug-in through its one export and takes module 0; getModule(1) is null.
header

    # An indented comment and the blank line above are skipped.
quit
