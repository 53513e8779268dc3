#include "faulttransport.h"

FaultTransport::~FaultTransport() = default;
