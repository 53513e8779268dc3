#include "guifixture.h"

#include "app/cmainframe.h"
#include "app/guinotifier.h"
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "resources/apptitle.h"
#include "sim/simportdriver.h"
#include "ui/controllookup.h"
#include "ui/valuescrollbar.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QSettings>
#include <QWheelEvent>
#include <QtTest>

namespace {
GuiNotifier g_notifier;
}

GuiFixture::GuiFixture(const QString &programFileName, const SimConfig &config)
    : camera(config), m_programFileName(programFileName)
{
    // Never the user's settings.
    QCoreApplication::setOrganizationName(QStringLiteral("Vantorix Ltd."));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppTitle));
#ifdef Q_OS_WIN
    // There the native format is the registry: files in dir instead.
    QSettings::setDefaultFormat(QSettings::IniFormat);
#endif
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings().clear();

    theCamera.Reset();
    auto d = std::make_unique<SimPortDriver>(&camera);
    driver = d.get();
    theCamera.SetPortDriver(std::move(d));

    UserNotifier::Install(&g_notifier);
    MessageBox::SetRecorder([this](const MessageBox::Record &record) {
        boxes.append(record);
        const QCursor *cursor = QGuiApplication::overrideCursor();
        boxesUnderWaitCursor += cursor && cursor->shape() == Qt::WaitCursor ? 1 : 0;
        static int open = 0;
        mostBoxesOpen = qMax(mostBoxesOpen, ++open);
        if (onBox)
            onBox(record);
        if (eventsInBoxes)
            QCoreApplication::processEvents();
        --open;
        if (!answers.isEmpty())
            return answers.takeFirst();
        return record.buttons == MessageBox::Ok ? MessageBox::AnswerOk : MessageBox::AnswerYes;
    });
    FileDialogs::SetAnswerer([this](const FileDialogs::Request &request) {
        fileRequests.append(request);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    });
}

GuiFixture::~GuiFixture()
{
    delete frame;
    delete doc;
    theCamera.Close();
    theCamera.SetPortDriver(nullptr);
    theCamera.SetBulkProgress(nullptr);
    MessageBox::SetRecorder(nullptr);
    FileDialogs::SetAnswerer(nullptr);
    UserNotifier::Install(nullptr);
}

void GuiFixture::OpenPort(int portNumber, int baud)
{
    if (theCamera.OpenPort(portNumber, baud) != 0)
        qFatal("the simulated port did not open");
}

void GuiFixture::BuildWindows()
{
    doc = new CZQB40Doc(theCamera);
    frame = CMainFrame::Create(doc, m_programFileName);
    doc->OnFileNew();
}

QWidget *GuiFixture::Control(int id) const
{
    return frame ? FindControl(frame->View(), id) : nullptr;
}

QByteArrayList GuiFixture::TakePayloads()
{
    const QByteArrayList all = camera.Payloads();
    const QByteArrayList fresh = all.mid(m_payloadsTaken);
    m_payloadsTaken = all.size();
    return fresh;
}

void GuiFixture::Focus(QWidget *widget)
{
    QWidget *window = widget->window();
    window->show();
    QApplication::setActiveWindow(window);
    widget->setFocus(Qt::TabFocusReason);
}

void GuiFixture::MoveSlider(QAbstractSlider *slider, const QString &how)
{
    const QString kind = how.section(QLatin1Char(':'), 0, 0);
    const QString arg = how.section(QLatin1Char(':'), 1);
    if (kind == QLatin1String("action")) {
        slider->triggerAction(QAbstractSlider::SliderAction(arg.toInt()));
    } else if (kind == QLatin1String("key")) {
        Focus(slider);
        const QKeyCombination key = QKeySequence::fromString(arg)[0];
        QTest::keyClick(slider, key.key(), key.keyboardModifiers());
    } else if (kind == QLatin1String("wheel") || kind == QLatin1String("hover")) {
        if (kind == QLatin1String("wheel"))
            Focus(slider);
        else
            slider->clearFocus();
        const QPointF at = QRectF(slider->rect()).center();
        QWheelEvent wheel(at, slider->mapToGlobal(at), QPoint(), QPoint(0, arg.toInt()),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(slider, &wheel);
    } else if (kind == QLatin1String("menu")) {
        ValueScrollBar::SetMenuChooser([arg](QMenu *menu) -> QAction * {
            for (QAction *a : menu->actions())
                if (a->text() == arg)
                    return a;
            qFatal("no such menu item");
        });
        const QPoint at = slider->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, slider->mapToGlobal(at));
        QApplication::sendEvent(slider, &event);
        ValueScrollBar::SetMenuChooser(nullptr);
    } else if (kind == QLatin1String("access")) {
        QAccessible::queryAccessibleInterface(slider)->valueInterface()->setCurrentValue(
            arg.toInt());
    } else {
        qFatal("unknown way to move a slider");
    }
}
