// Any text typed into a row of the register editor: the row is refused,
// address before data, unless its address is two hexadecimal digits and its
// data exactly the area's width of them; a refused row sends nothing, and an
// accepted one sends the register payload with the digits as typed.
//
// Input: one byte (bit 0 the memory, the rest the area), the address's
// length, the address, then the data; both as UTF-8, as a field gives them.
#include "fuzzsupport.h"

#include "camera/registerpage.h"
#include "sim/simportdriver.h"
#include "support/scriptedpeer.h"

#include <memory>

namespace {
bool hexDigits(const QString &text, int count)
{
    if (text.size() != count)
        return false;
    for (QChar c : text) {
        if (!(c >= u'0' && c <= u'9') && !(c >= u'a' && c <= u'f') && !(c >= u'A' && c <= u'F'))
            return false;
    }
    return true;
}

QByteArray hex2(int value)
{
    return QByteArray::number(value, 16).toUpper().rightJustified(2, '0');
}

// What goes out for a payload: ENQ, then its frame.
QByteArray sentFor(const QByteArray &payload)
{
    return QByteArray(1, CameraProtocol::ENQ) + frameOf(payload);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzReader in(data, size);
    const uint8_t setup = in.Byte();
    const auto mode = RegisterPage::Mode(setup & 1);
    const auto area = RegisterPage::Area((setup >> 1) % RegisterPage::kAreaCount);
    const RegisterPage::AreaInfo &info = RegisterPage::AreaOf(area);
    const QString address = QString::fromUtf8(in.Bytes(in.Byte()));
    const QString digits = QString::fromUtf8(in.Bytes(in.Remaining()));

    const bool addressOk = hexDigits(address, 2);
    const bool dataOk = hexDigits(digits, info.dataDigits);
    CHECK(RegisterPage::IsValidAddress(address) == addressOk, "address \"%s\"",
          qPrintable(address));
    CHECK(RegisterPage::IsValidData(area, digits) == dataOk, "data \"%s\"", qPrintable(digits));

    const auto expected = !addressOk ? RegisterPage::BadAddress
                          : !dataOk  ? RegisterPage::BadData
                                     : RegisterPage::Done;
    QByteArray payload = "untouched";
    CHECK(RegisterPage::BuildWrite(mode, area, {address, digits}, &payload) == expected,
          "write status for \"%s\" \"%s\"", qPrintable(address), qPrintable(digits));
    const QByteArray prefix = RegisterPage::ModePrefix(mode);
    if (expected == RegisterPage::Done) {
        const QByteArray value = digits.toLatin1().toUpper().leftJustified(6, '0');
        CHECK(payload == prefix + hex2(info.writeCode) + address.toLatin1().toUpper() + value,
              "write payload %s", payload.constData());
    } else {
        CHECK(payload == "untouched", "a refused row built %s", payload.constData());
    }

    QByteArray readPayload = "untouched";
    const auto readStatus = RegisterPage::BuildRead(mode, area, address, &readPayload);
    CHECK(readStatus == (addressOk ? RegisterPage::Done : RegisterPage::BadAddress), "read status");
    if (addressOk)
        CHECK(readPayload == prefix + hex2(RegisterPage::ReadCode(area)) +
                                 address.toLatin1().toUpper() + "000000",
              "read payload %s", readPayload.constData());

    // The same row through a camera that acknowledges everything.
    ScriptedPeer peer({QByteArray(1, CameraProtocol::ACK), QByteArray(1, CameraProtocol::ACK)});
    CameraProtocol camera;
    auto driver = std::make_unique<SimPortDriver>(&peer);
    SimPortDriver *port = driver.get();
    camera.SetPortDriver(std::move(driver));
    CHECK(camera.OpenPort(1, 9600) == 0, "simulated port did not open");
    const RegisterPage::Result result =
        RegisterPage::WriteRow(camera, mode, area, {address, digits});
    CHECK(result.status == expected, "row written with status %d", result.status);
    CHECK(port->Sent() == (expected == RegisterPage::Done ? sentFor(payload) : QByteArray()),
          "sent %s", port->Sent().toHex().constData());
    return 0;
}
