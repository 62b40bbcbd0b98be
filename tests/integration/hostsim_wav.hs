# plugin: testplugin.dll
# exit: 1
# A WAV file beside the song is the sound the plug-in is handed: the signed 8-bit samples at
# the playback position (16-bit files by their high byte, 8-bit ones with their sign flipped,
# mono on both channels) and their spectrum; silence before the tone, past the end and while
# paused; the tone of hostsim's own for a song without one. Each test sound is silent for
# SILENT_MS, then a tone at half of full scale: a quarter of the rate on channel 0 (samples
# 0, 64, 0, -64 from its start), an eighth on channel 1 (0, 45, 64, 45).
wav @DIR@\Stereo16.wav 8000 16 2 1000 1000
wav @DIR@\mono8.wav 11025 8 1 0 500
file @DIR@\broken.wav RIFF but nothing more
song @DIR@\Stereo16.mp3
song @DIR@\mono8.ogg
song @DIR@\nowav.mp3
song @DIR@\broken.mp3
init
play
run 500
audio
# 1001 ms is frame 8008 at 8000 Hz: a whole number of both periods into the tone.
seek 1000
run 1
audio
dump
pause
run 40
audio
play
# The last window of the tone runs past the end of the file, into silence.
seek 1990
run 1
audio
seek 2000
run 1
audio
# 1 ms is frame 11 at 11025 Hz: three quarters into channel 0's period.
select 1
seek 0
run 1
audio
select 2
run 1
audio
select 3
run 1
audio
