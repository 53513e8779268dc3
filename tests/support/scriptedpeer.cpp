#include "scriptedpeer.h"

#include "comm/cameraprotocol.h"

QByteArray ScriptedPeer::Receive(const QByteArray &bytes)
{
    received.append(bytes);
    return answers.isEmpty() ? QByteArray() : answers.takeFirst();
}

QByteArray ScriptedPeer::Reply(const QByteArray &data, bool lowerCase)
{
    QByteArray frame;
    frame.append(CameraProtocol::STX).append(data).append(CameraProtocol::ETX);
    QByteArray sum = QByteArray::number(CameraProtocol::Checksum(frame.constData(), 8), 16)
                         .rightJustified(2, '0');
    frame.append(lowerCase ? sum.toLower() : sum.toUpper());
    return frame;
}
