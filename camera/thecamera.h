#pragma once

#include "cameradata.h"

// The program's one camera connection. Built before start-up with every
// value at its default and the channel closed; destroyed after the
// application has ended, which releases the port.
extern CameraData theCamera;
