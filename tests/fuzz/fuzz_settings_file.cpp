// Any bytes as a settings file: only a whole file with our header decodes,
// it encodes back to the same bytes, and nothing else touches the values.
// Reading the same bytes from disk must give the same answer.
#include "fuzzsupport.h"

#include "camera/paramstore.h"
#include "camera/settingsfile.h"

#include <QFile>
#include <QTemporaryFile>

#include <cstring>

namespace {
constexpr qint32 kSentinel = 0x5A5A5A5A;
constexpr int kHeaderBytes = 24; // length byte and the 23 characters

QByteArray header()
{
    QByteArray h(1, char(23));
    h.append("ZQ-B40 Data Version1.00");
    return h;
}

SettingsFile::Values sentinels()
{
    SettingsFile::Values v;
    v.fill(kSentinel);
    return v;
}

const char *statusName(SettingsFile::Status s)
{
    static const char *names[] = {"Ok",       "Empty",      "HeaderMismatch",
                                  "TooShort", "ReadFailed", "WriteFailed"};
    return names[s];
}

// The file on disk, made once: one temporary file rewritten for every input.
QString scratchPath()
{
    static QTemporaryFile *file = [] {
        auto *f = new QTemporaryFile();
        CHECK(f->open(), "cannot create a temporary file");
        return f;
    }();
    return file->fileName();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    SettingsFile::Values values = sentinels();
    const SettingsFile::Status status = SettingsFile::Decode(bytes, &values);

    const int compared = qMin(int(size), kHeaderBytes);
    const bool headerOk = std::memcmp(data, header().constData(), size_t(compared)) == 0;
    SettingsFile::Status expected = SettingsFile::Ok;
    if (size == 0)
        expected = SettingsFile::Empty;
    else if (!headerOk)
        expected = SettingsFile::HeaderMismatch;
    else if (size < size_t(SettingsFile::kSize))
        expected = SettingsFile::TooShort;
    CHECK(status == expected, "size %zu: status %s, expected %s", size, statusName(status),
          statusName(expected));

    if (status == SettingsFile::Ok) {
        for (int i = 0; i < PARAM_COUNT; ++i) {
            const uint8_t *p = data + kHeaderBytes + 4 * i;
            const qint32 v = qint32(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                    uint32_t(p[3]) << 24);
            CHECK(values[size_t(i)] == v, "value %d: %d, file holds %d", i, values[size_t(i)], v);
        }
        ParamStore store;
        SettingsFile::Apply(values, &store);
        const QByteArray encoded = SettingsFile::Encode(store);
        CHECK(encoded == bytes.left(SettingsFile::kSize),
              "encoding the decoded values does not give the file back (%d bytes)",
              int(encoded.size()));
    } else {
        CHECK(values == sentinels(), "status %s but values were written", statusName(status));
    }

    QFile file(scratchPath());
    CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot rewrite the scratch file");
    CHECK(file.write(bytes) == bytes.size(), "short write of the scratch file");
    file.close();
    SettingsFile::Values fromDisk = sentinels();
    QString error;
    const SettingsFile::Status diskStatus = SettingsFile::Read(file.fileName(), &fromDisk, &error);
    CHECK(diskStatus == status, "Read says %s, Decode says %s", statusName(diskStatus),
          statusName(status));
    CHECK(fromDisk == values, "Read and Decode give different values");
    const bool quiet = status == SettingsFile::Ok || status == SettingsFile::Empty;
    CHECK(error.isEmpty() == quiet, "status %s with message \"%s\"", statusName(status),
          qPrintable(error));
    return 0;
}
