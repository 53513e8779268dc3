#pragma once

// The camera's memory and register codes that the program's parts share:
// the parameter operations, the register editor, the white-spot table and
// the serial-number service.
namespace CameraCode {
constexpr int kFpga = 0x00;   // memory: the working registers
constexpr int kEeprom = 0x01; // memory: kept over power-off
constexpr int kFixed = 0xFF;  // the second byte of every payload
// The white-spot address table (area 11): entry i has x in register 2i.
constexpr int kAddressTableRead = 0x91;
// Writing the access code here opens the camera's protected registers.
constexpr int kAccessCodeArea = 0x01;
constexpr int kAccessCodeRegister = 0x60;
constexpr int kAccessCode = 0x3A5C;
} // namespace CameraCode
