#pragma once

#include <cstdint>

// The Camera Link serial interface's own numbers: the status codes its
// functions return and the rates it names by bit. Both sides of the
// interface use them: the program calling a grabber's library, and the
// simulated library answering it.
namespace ClSerial {

constexpr int32_t CL_ERR_NO_ERR = 0;
constexpr int32_t CL_ERR_BUFFER_TOO_SMALL = -10001;
constexpr int32_t CL_ERR_PORT_IN_USE = -10003;
constexpr int32_t CL_ERR_TIMEOUT = -10004;
constexpr int32_t CL_ERR_INVALID_INDEX = -10005;
constexpr int32_t CL_ERR_INVALID_REFERENCE = -10006;
constexpr int32_t CL_ERR_ERROR_NOT_FOUND = -10007;
constexpr int32_t CL_ERR_BAUD_RATE_NOT_SUPPORTED = -10008;

// clSetBaudRate and clGetSupportedBaudRates name rate i by bit i.
constexpr uint32_t kRates[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
constexpr int kRateCount = int(sizeof kRates / sizeof kRates[0]);
constexpr uint32_t kAllRateBits = (1u << kRateCount) - 1;

// The bit of a rate; 0 when the interface has no name for it.
constexpr uint32_t RateBit(int baud)
{
    for (int i = 0; i < kRateCount; ++i) {
        if (int(kRates[i]) == baud)
            return 1u << i;
    }
    return 0;
}

} // namespace ClSerial
