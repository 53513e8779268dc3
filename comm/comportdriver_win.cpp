#include "comportdriver.h"

#include "win32portdriver.h"

std::unique_ptr<PortDriver> NewComPortDriver()
{
    return std::make_unique<Win32PortDriver>();
}
