#include "portdriver.h"

PortDriver::~PortDriver() = default;
