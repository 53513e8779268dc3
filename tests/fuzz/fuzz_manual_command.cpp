// Any text typed into the manual command's transmission field, sent with
// Send or Read: the field keeps it in upper case; what goes to the camera is
// the field's text byte for byte in a frame of its own, and a text longer
// than a payload may be sends nothing and is said in exactly one box.
//
// Input: one byte (bit 0: Read instead of Send), then the text as UTF-8.
#include "fuzzsupport.h"

#include "resources/servicedialogids.h"
#include "service/manualcommanddialog.h"
#include "sim/simportdriver.h"
#include "support/guifixture.h"
#include "ui/controllookup.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {
using Id = ManualCommandId::Id;

GuiFixture &rig()
{
    static GuiFixture *fixture = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_manual_command";
        static char *argv[] = {name, nullptr};
        new QApplication(argc, argv);
        auto *f = new GuiFixture();
        f->OpenPort();
        return f;
    }();
    return *fixture;
}

ManualCommandDialog &dialog()
{
    static auto *d = new ManualCommandDialog;
    return *d;
}
} // namespace

// Windows and fonts are made before the first input, so what they keep for
// the process is not taken for a leak of that input.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    rig();
    FindControlAs<QLineEdit>(&dialog(), Id::Transmission)->insert(QStringLiteral("0102"));
    FindControlAs<QPushButton>(&dialog(), Id::Send)->click();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzReader in(data, size);
    const bool read = in.Byte() & 1;
    const QString typed = QString::fromUtf8(in.Bytes(in.Remaining()));
    GuiFixture &r = rig();
    auto *field = FindControlAs<QLineEdit>(&dialog(), Id::Transmission);
    field->clear();
    field->insert(typed); // as typing does: through the field's validator
    const QString text = field->text();
    CHECK(text == text.toUpper(), "the field shows \"%s\"", qPrintable(text));
    CHECK(text.isEmpty() || text == typed.toUpper(), "\"%s\" became \"%s\"", qPrintable(typed),
          qPrintable(text));

    // An engineer types between clicks: whatever the camera still had to
    // say to the last command has arrived, and the next command discards it.
    r.driver->AdvanceMs(1000);
    r.driver->ClearSent();
    r.boxes.clear();
    FindControlAs<QPushButton>(&dialog(), read ? Id::Read : Id::Send)->click();
    const QByteArray payload = text.toLatin1();
    const QByteArray sent = r.driver->Sent();
    if (payload.size() > CameraProtocol::kMaxPayload) {
        CHECK(sent.isEmpty(), "a %d-byte payload sent %d bytes", int(payload.size()),
              int(sent.size()));
        CHECK(r.boxes.size() == 1, "%d boxes for a payload too long", int(r.boxes.size()));
    } else {
        const QByteArray first = QByteArray(1, CameraProtocol::ENQ) + frameOf(payload);
        CHECK(sent.startsWith(first), "\"%s\" went out as %s", payload.constData(),
              sent.toHex().constData());
        CHECK(r.boxes.size() <= 1, "%d boxes for one command", int(r.boxes.size()));
    }
    return 0;
}
