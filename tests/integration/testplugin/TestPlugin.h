#pragma once

// Resource and control ids the test plug-in shares with its resource script and its tests.
#define TESTPLUGIN_DIALOG 200
#define TESTPLUGIN_DIALOG_EDIT 300
#define TESTPLUGIN_DIALOG_LATER 301
