#include "whitespotdetection.h"

#include "comm/cameracodes.h"
#include "comm/cameraprotocol.h"
#include "comm/errorstate.h"

#include <QCoreApplication>

namespace {
using namespace CameraCode;
constexpr int kCoordinateDigits = 4;
} // namespace

WhiteSpotDetection::Outcome WhiteSpotDetection::OnPoll(int readResult, int status)
{
    if (status == 1 && readResult < 0)
        return ++m_failedPolls >= kMaxFailedPolls ? GaveUp : Detecting;
    m_failedPolls = 0;
    switch (status) {
    case 0:
        return Finished;
    case 1:
        return Detecting;
    case 2:
        return TooMany;
    default:
        return DetectError;
    }
}

QString WhiteSpotDetection::OutcomeText(Outcome outcome)
{
    switch (outcome) {
    case Finished:
        return QCoreApplication::translate("WhiteSpotDetection", "Detect is finished.");
    case TooMany:
        return QCoreApplication::translate("WhiteSpotDetection", "Number of detect is over.");
    case DetectError:
        return QCoreApplication::translate("WhiteSpotDetection", "Detect error");
    default:
        return QString();
    }
}

QByteArray WhiteSpotDetection::AddressPayload(int coordinate, int entry)
{
    return CameraProtocol::BuildPayload(kFpga, kFixed, kAddressTableRead, 2 * entry + coordinate,
                                        {});
}

int WhiteSpotDetection::ReadAddress(CameraProtocol &camera, int coordinate, int entry)
{
    char reply[28] = {};
    const int result = camera.SendAndReceive(AddressPayload(coordinate, entry), reply);
    if (result < 0)
        return result;
    // Anything but digits would make a coordinate out of thin air.
    if (!CameraProtocol::IsHexDigits(reply, kCoordinateDigits))
        return camera.SetError(ERR_BAD_CHAR);
    return CameraProtocol::HexToInt(reply, kCoordinateDigits);
}

WhiteSpotDetection::Listing WhiteSpotDetection::ListAddresses(CameraProtocol &camera)
{
    Listing listing;
    for (int i = 0; i < kMaxEntries; ++i) {
        const int x = ReadAddress(camera, 0, i);
        if (x == kEndMark)
            break;
        const int y = x < 0 ? x : ReadAddress(camera, 1, i);
        if (y < 0) {
            listing.result = y;
            break;
        }
        listing.spots.append({x, y});
    }
    return listing;
}

QString WhiteSpotDetection::Format(const QList<Spot> &spots)
{
    QString text;
    for (int i = 0; i < spots.size(); ++i)
        text +=
            QString::asprintf("No.%2d: x = %4d,  y = %4d%s", i + 1, spots[i].x, spots[i].y, "\r\n");
    return text;
}
