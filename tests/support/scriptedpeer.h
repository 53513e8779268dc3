#pragma once

#include "sim/simpeer.h"

#include <QByteArrayList>

// A far end that answers each write of the program with the next scripted
// answer (empty once the script is used up) and keeps every write.
class ScriptedPeer : public SimPeer
{
public:
    ScriptedPeer() = default;
    explicit ScriptedPeer(const QByteArrayList &answers) : answers(answers) {}

    QByteArray Receive(const QByteArray &bytes) override;

    // A camera reply frame around six data characters, with its checksum.
    static QByteArray Reply(const QByteArray &data, bool lowerCase = false);

    QByteArrayList answers;
    QByteArrayList received;
};
