// Any bytes as a settings file opened through the document, as File Open,
// the recent list, a dropped file or the command line do: only a whole file
// with our header is stored in theCamera and sent to the camera; anything
// else stores nothing, sends nothing and is said in exactly one box.
// An empty file opens and changes nothing.
#include "fuzzsupport.h"

#include "camera/settingsfile.h"
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "support/guifixture.h"

#include <QApplication>
#include <QFile>

namespace {
constexpr qint32 kMark = 0x5A5A5A5A;

GuiFixture &rig()
{
    static GuiFixture *fixture = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_document_open";
        static char *argv[] = {name, nullptr};
        new QApplication(argc, argv);
        auto *f = new GuiFixture();
        f->OpenPort();
        f->BuildWindows();
        return f;
    }();
    return *fixture;
}
} // namespace

// The windows, fonts and settings store are made before the first input, so
// what they keep for the process is not taken for a leak of that input.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    GuiFixture &r = rig();
    const QString path = r.dir.filePath(QStringLiteral("warm-up.zq"));
    for (const QByteArray &bytes : {QByteArray(244, '\0'), QByteArray()}) {
        QFile file(path);
        CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write %s",
              qPrintable(path));
        file.write(bytes);
        file.close();
        r.doc->OpenDocumentFile(path);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    GuiFixture &r = rig();
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString path = r.dir.filePath(QStringLiteral("fuzz.zq"));
    {
        QFile file(path);
        CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write %s",
              qPrintable(path));
        CHECK(file.write(bytes) == bytes.size(), "short write");
    }
    // A value no file of ours is likely to hold, in every row.
    for (int i = 0; i < PARAM_COUNT; ++i)
        theCamera.SetValue(i, kMark);
    r.doc->SetModifiedFlag(false);
    r.boxes.clear();
    r.TakePayloads();

    SettingsFile::Values decoded{};
    const SettingsFile::Status status = SettingsFile::Decode(bytes, &decoded);
    const bool opened = r.doc->OpenDocumentFile(path);
    const QByteArrayList sent = r.TakePayloads();

    // A file holding a value wider than its register is refused as a foreign one is: one
    // box, nothing stored, nothing sent.
    const bool carried = status != SettingsFile::Ok || SettingsFile::FirstUncarried(decoded) < 0;
    switch (carried ? status : SettingsFile::HeaderMismatch) {
    case SettingsFile::Ok:
        CHECK(opened, "a valid file was refused");
        for (int i = 0; i < PARAM_COUNT; ++i)
            CHECK(theCamera.GetValue(i) == decoded[i], "row %d holds %d, the file %d", i,
                  theCamera.GetValue(i), decoded[i]);
        CHECK(!sent.isEmpty(), "a valid file was not sent");
        break;
    case SettingsFile::Empty:
        CHECK(opened, "an empty file was refused");
        CHECK(sent.isEmpty(), "an empty file sent %d payloads", int(sent.size()));
        break;
    default:
        CHECK(!opened, "a file of status %d was opened", int(status));
        CHECK(sent.isEmpty(), "a refused file sent %d payloads", int(sent.size()));
        CHECK(r.boxes.size() == 1, "a refused file showed %d boxes", int(r.boxes.size()));
        break;
    }
    if (status != SettingsFile::Ok || !carried) {
        for (int i = 0; i < PARAM_COUNT; ++i)
            CHECK(theCamera.GetValue(i) == kMark, "row %d changed to %d", i, theCamera.GetValue(i));
    }
    return 0;
}
