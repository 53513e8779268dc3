#include "thecamera.h"

CameraData theCamera;
