// The program's static objects, in one place so that their order is fixed: the
// application object is constructed first and destroyed last.
#include "app/CKeloApp.h"
#include "videoplayer/CVideoPlayer.h"

CKeloApp theApp;
CVideoPlayer g_videoPlayer;
