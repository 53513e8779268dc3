#pragma once

#include "paramindex.h"

#include <QString>
#include <QtGlobal>

enum ParamFlag : quint8
{
    PF_WRITE_ALL = 0x01, // WriteAll sends it
    PF_READ = 0x02,      // ReadParam and ReadAll read it
    PF_IDENTITY = 0x04,  // the camera's identity: a file never renames the camera
};

struct ParamInfo
{
    quint8 flags;
    quint8 readCode;  // area code of a read (bit 7 set)
    quint8 writeCode; // area code of a write
    quint8 address;   // register address
    qint32 defaultValue;
    qint32 lower;
    qint32 upper;
    int nameId; // string table id of the name
};

// The fixed description of the camera's 55 parameters, by index, made from
// the rows of paramindex.h. Callers pass indexes 0..PARAM_COUNT-1 only.
class ParamTable
{
public:
    static const ParamInfo &Row(int index);
    static int GetDefault(int index) { return Row(index).defaultValue; }
    // The camera's identity: its texts (vendor, model, serial, version) and
    // the access-code register. Read only; no whole-set transfer writes them.
    static bool IsIdentity(int index) { return Row(index).flags & PF_IDENTITY; }
    // Whether a write of the value reaches the row's register whole.
    static bool Carries(int index, int value);
    static int GetMin(int index) { return Row(index).lower; }
    static int GetMax(int index) { return Row(index).upper; }
    static QString GetParamName(int index);
    // The row's name in code ("GainLevel"), unique where the display names
    // are not; empty for a row with none of its own (the middle of a text).
    static QString CodeName(int index);
    // The row of a code name, or -1.
    static int IndexOfName(const QString &codeName);
    // How many rows carry the flag: the reads of a read-all (PF_READ), the
    // writes of a write-all (PF_WRITE_ALL).
    static int CountWith(quint8 flag);
};
