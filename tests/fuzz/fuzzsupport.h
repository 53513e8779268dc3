#pragma once

// What every fuzz target needs: a check that aborts with a message (so
// libFuzzer keeps the input), and a reader that takes the input apart.
#include "comm/cameraprotocol.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define CHECK(cond, ...)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: CHECK failed: %s\n  ", __FILE__, __LINE__, #cond);        \
            std::fprintf(stderr, __VA_ARGS__);                                                     \
            std::fprintf(stderr, "\n");                                                            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// Takes the fuzz input from the front; once it is used up every read gives
// zeros, so a short input is still a complete case.
class FuzzReader
{
public:
    FuzzReader(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool AtEnd() const { return m_pos >= m_size; }
    size_t Remaining() const { return m_size - m_pos; }
    uint8_t Byte() { return AtEnd() ? 0 : m_data[m_pos++]; }
    uint32_t U32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= uint32_t(Byte()) << (8 * i);
        return v;
    }
    // Up to n bytes, fewer when the input ends.
    QByteArray Bytes(size_t n)
    {
        n = n < Remaining() ? n : Remaining();
        QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), int(n));
        m_pos += n;
        return out;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// The exact frame of a payload: STX, payload, ETX, two upper-case digits of
// the complemented byte sum.
inline QByteArray frameOf(const QByteArray &payload)
{
    QByteArray frame = QByteArray(1, CameraProtocol::STX) + payload + CameraProtocol::ETX;
    unsigned sum = 0;
    for (char c : frame)
        sum += uint8_t(c);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", uint8_t(~sum));
    return frame + digits;
}
