#include "simpeer.h"

SimPeer::~SimPeer() = default;
