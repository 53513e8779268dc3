#pragma once

#include "camera/cameradata.h"
#include "camera/settingsfile.h"
#include "zqcamera.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

class TraceLog;

// One camera of the integrators' library: its own connection, values and
// error, used by one thread at a time. Every operation returns 0 or a
// count, or minus its code with the message and reason kept for
// zq_error_text.
class CameraHandle
{
public:
    CameraHandle();
    ~CameraHandle();

    int OpenDevice(const QString &device, int baud);
    int OpenCameraLink(const QString &library, int port, int baud);

    int Get(const QString &name, qint32 *value);
    int Set(const QString &name, qint32 value);
    int Stored(int index, qint32 *value) const;
    int ReadAll();
    int WriteAll();
    int Info(zq_info *info);

    int Save(const QString &path);
    int Load(const QString &path);
    int Apply(const QString &path, QList<zq_difference> *rows);
    int Diff(const QString &path, bool all, QList<zq_difference> *rows);
    int Trace(const QString &path);

    // Around every call: the last failure forgotten, the trace written out.
    void Enter() { m_errorText.clear(); }
    void Leave();
    const char *ErrorText() const { return m_errorText.constData(); }

    // "5" or "GainLevel" to its index, or -1.
    static int IndexOf(const QString &name);
    // The file read and checked whole; 0, or minus ZQ_ERR_FILE or
    // ZQ_ERR_REFUSED with *why.
    static int ReadFile(const QString &path, SettingsFile::Values *values, QString *why);
    // The camera's identity and its model's rules from the stored values.
    static void FillInfo(const class CameraInfo &info, zq_info *out);

    // Records a failure of the library's own (a code from 100) with its text.
    int Fail(int code, const QString &text);

private:
    // The camera's recorded failure: the program's message, then the reason.
    int Failed();
    int ReadModel();

    CameraData m_camera;
    QByteArray m_errorText;
    std::unique_ptr<TraceLog> m_trace;
};
