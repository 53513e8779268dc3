#include "comportdriver.h"

#include "qserialportdriver.h"

std::unique_ptr<PortDriver> NewComPortDriver()
{
    return std::make_unique<QSerialPortDriver>();
}
