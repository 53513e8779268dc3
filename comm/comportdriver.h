#pragma once

#include "portdriver.h"

#include <memory>

// The driver of a COM port on this OS: QSerialPort on Linux, the Win32
// serial calls on Windows (no Qt SerialPort is built for MinGW here).
// Defined once per OS in comportdriver_<os>.cpp.
std::unique_ptr<PortDriver> NewComPortDriver();
