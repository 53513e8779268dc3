#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

// The adjustment record file: one comma-separated line per serial number
// written, under a Shift-JIS header line. It is opened, appended to and
// closed within one operation, and only while no other program has it open.
class AdjustRecordFile
{
public:
    // Relative on purpose: the file lies in the current directory.
    static constexpr char kPath[] = "./ZQ-M710_AdjustData.csv";

    struct Record
    {
        QDateTime when; // local time
        QByteArray modelName;
        QByteArray serialNumber;
        int subVoltage = 0;
        int adjustGain1 = 0;
        int adjustGain2 = 0;
    };

    // The header line in Shift-JIS, CR LF included.
    static QByteArray Header();
    // One record line, CR LF included; nothing is quoted or escaped.
    static QByteArray Line(const Record &record);

    explicit AdjustRecordFile(const QString &path = QString::fromLatin1(kPath));
    ~AdjustRecordFile();

    // Opens the file for appending, creating it when missing, and holds it
    // exclusively. False while another program has it open (its lock, or an
    // office suite's lock file beside it), or when it cannot be opened.
    bool Open();
    // Appends the line, preceded by the header when the file was empty, in
    // one write. On failure the file is cut back to its length before, and
    // false is returned with the reason in *error.
    bool Append(const QByteArray &line, QString *error);
    void Close();

    // "... is opend. Please close ...", with the file's name as given.
    QString InUseMessage() const;
    QString WriteFailedMessage(const QString &reason) const;

private:
    // The lock file an office suite keeps beside a document it has open.
    QString OfficeLockPath() const;
    bool Lock();

    QString m_path;
    QFile m_file;
};
