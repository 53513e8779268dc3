#pragma once

#include "comm/cameraprotocol.h"
#include "paramstore.h"

#include <functional>

// The camera connection and the values it holds: one object is the store of
// the 55 parameters, the command protocol and the serial channel at once,
// with a single recorded error code shared by all three.
class CameraData : public ParamStore, public CameraProtocol
{
public:
    CameraData() = default;

    // Called after each exchange of a bulk transfer with the rows done and
    // the rows in all, so a long transfer can show how far it is.
    using BulkProgress = std::function<void(int done, int total)>;
    void SetBulkProgress(BulkProgress progress) { m_bulkProgress = std::move(progress); }
    const BulkProgress &GetBulkProgress() const { return m_bulkProgress; }

    // Plain operations: failures are recorded and returned, never shown.
    // 1 when accepted and the stored value changed, 0 when accepted and equal.
    int WriteParam(int index, int value);
    // 1 when read and changed, 0 when equal or the row is not readable.
    int ReadParam(int index);
    // Every PF_WRITE_ALL row in index order; stops at the first failure.
    int WriteAll();
    // Every PF_READ row in index order; 1, or stops at the first failure.
    int ReadAll();

    // Back to a new connection's state: channel closed and forgotten, every
    // value at its default, no error recorded.
    void Reset();

    // Opens the channel; a failure is recorded with its reason, not shown.
    // 0, or minus the code.
    int Connect(const ChannelSpec &channel);

    // Reporting wrappers: each failure is shown once, in the error box.
    int ConnectLibrary(const QString &libraryPath, int portIndex = 0, int baudRate = 0);
    int ConnectPort(int portNumber, int baudRate);
    int SendParam(int index, int value);
    int UploadParam(int index);
    int SendAll();
    int UploadAll();

    // The recorded error's message, with a line of detail after it when given.
    void ReportError(const QString &detail = QString());
    // The status-line text of a transfer of one parameter, when there is a
    // main window to show it.
    void ShowProgress(int index, int stringId);

private:
    int Reported(int result);
    int ReportedOpen(int result);
    void Progress(int done, int total);

    BulkProgress m_bulkProgress;
};
