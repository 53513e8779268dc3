#include "commsetupdialog.h"

#include "camera/cameraprobe.h"
#include "camera/thecamera.h"
#include "comm/comportmap.h"
#include "comm/ossupport.h"
#include "comm/portcatalog.h"
#include "resources/commsetupids.h"
#include "resources/dialogtemplate.h"
#include "ui/controllookup.h"
#include "ui/dialogbuilder.h"
#include "ui/exchangeguard.h"
#include "ui/filedialogs.h"
#include "ui/messagebox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

#include <iterator>

namespace {
constexpr int kTemplate = CommSetupId::Dialog;
constexpr int kFirstPort = CommSetupId::FirstPort; // the 13 buttons: COM 1 .. COM10, the boards
constexpr int kBaud9600 = CommSetupId::Baud9600;
constexpr int kBaudFrame = CommSetupId::BaudGroup;
constexpr int kPathEdit = CommSetupId::LibraryPath;
constexpr int kDllLabel = CommSetupId::LibrarySuffix;
constexpr int kBrowse = CommSetupId::Browse;
constexpr int kSearch = CommSetupId::Search;
constexpr int kOpen = CommSetupId::Open;
constexpr int kCancel = CommSetupId::Cancel;
constexpr int kEuresys = CommSetupId::Euresys - CommSetupId::FirstPort; // choice numbers
constexpr int kMatrox = CommSetupId::Matrox - CommSetupId::FirstPort;
constexpr int kOtherFactory = CommSetupId::OtherFactory - CommSetupId::FirstPort;
constexpr auto &kBaudRates = ChannelSpec::kCameraRates; // by m_baudChoice

// The rate's button; a rate the camera does not talk at, the first.
int BaudButton(int baud)
{
    for (int i = 0; i < int(std::size(kBaudRates)); ++i) {
        if (kBaudRates[i] == baud)
            return i;
    }
    return 0;
}
} // namespace

CommSetupDialog::CommSetupDialog(QWidget *parent, int preselectPort) : QDialog(parent)
{
    const DialogTemplate &layout = *FindDialogTemplate(kTemplate);
    setWindowTitle(layout.Caption());
    setFixedSize(DialogBuilder::Build(layout, this));

    m_ports = FindControlAs<QRadioButton>(this, kFirstPort)->group();
    for (int choice = 0; choice <= kOtherFactory; ++choice) {
        m_ports->setId(PortButton(choice), choice);
        connect(PortButton(choice), &QAbstractButton::clicked, this,
                [this, choice] { OnPortClicked(choice); });
    }
    m_bauds = FindControlAs<QRadioButton>(this, kBaud9600)->group();
    m_bauds->setId(FindControlAs<QRadioButton>(this, kBaud9600), 0);
    m_bauds->setId(FindControlAs<QRadioButton>(this, kBaud9600 + 1), 1);
    // Tab follows the layout: the left half (ports, rate), then the board.
    setTabOrder(PortButton(kEuresys - 1), m_bauds->button(0));
    setTabOrder(m_bauds->button(0), m_bauds->button(1));
    setTabOrder(m_bauds->button(1), FindControl(this, kSearch));
    setTabOrder(FindControl(this, kSearch), PortButton(kEuresys));
    m_path = FindControlAs<QLineEdit>(this, kPathEdit);
    connect(m_path, &QLineEdit::editingFinished, this, [this] {
        if (m_system == 1)
            ShowGrabberPorts();
    });
    m_grabberPorts = FindControlAs<QComboBox>(this, CommSetupId::GrabberPort);
    connect(m_grabberPorts, QOverload<int>::of(&QComboBox::activated), this,
            [this] { ShowGrabberRates(); });
    connect(FindControlAs<QPushButton>(this, kBrowse), &QPushButton::clicked, this,
            &CommSetupDialog::OnBrowse);
    connect(FindControlAs<QPushButton>(this, kSearch), &QPushButton::clicked, this,
            &CommSetupDialog::OnSearch);
    connect(FindControlAs<QPushButton>(this, kOpen), &QPushButton::clicked, this,
            &CommSetupDialog::OnOpen);
    connect(FindControlAs<QPushButton>(this, kCancel), &QPushButton::clicked, this,
            &QDialog::reject);

    if (preselectPort >= 1 && preselectPort <= ComPortMap::kPortCount)
        m_portChoice = preselectPort - 1;
    ShowData();
    UpdateToolTips();
    PortButton(m_portChoice)->setFocus();
}

QAbstractButton *CommSetupDialog::PortButton(int choice) const
{
    return FindControlAs<QAbstractButton>(this, kFirstPort + choice);
}

void CommSetupDialog::ShowData()
{
    if (QAbstractButton *b = m_ports->button(m_portChoice))
        b->setChecked(true);
    if (QAbstractButton *b = m_bauds->button(m_baudChoice))
        b->setChecked(true);
    m_path->setText(m_libraryPath);
}

void CommSetupDialog::SetBaudEnabled(bool enabled)
{
    for (QAbstractButton *b : m_bauds->buttons())
        b->setEnabled(enabled);
    FindControl(this, kBaudFrame)->setEnabled(enabled);
}

void CommSetupDialog::SetLibraryEnabled(bool enabled)
{
    for (int id : {kPathEdit, kDllLabel, kBrowse})
        FindControl(this, id)->setEnabled(enabled);
}

void CommSetupDialog::OnPortClicked(int choice)
{
    if (choice < kEuresys) {
        SetBaudEnabled(true);
        SetLibraryEnabled(false);
        m_grabberRates.clear();
        m_grabberPorts->clear();
        m_grabberPorts->setEnabled(false);
        FindControl(this, CommSetupId::GrabberPortLabel)->setEnabled(false);
        m_system = 0;
    } else {
        SetLibraryEnabled(choice == kOtherFactory);
        m_system = 1;
        ShowGrabberPorts();
    }
}

namespace {
// The library a board button stands for; the other factory's is a path.
QString libraryFor(int choice, const QString &path)
{
    return choice == kEuresys  ? QStringLiteral("clseremc.dll")
           : choice == kMatrox ? QStringLiteral("clsermtx.dll")
                               : path;
}
} // namespace

QString CommSetupDialog::LibraryFile() const
{
    return libraryFor(m_ports->checkedId(), m_path->text());
}

ChannelSpec CommSetupDialog::Channel() const
{
    if (m_system == 0)
        return ChannelSpec::Com(m_portChoice + 1, kBaudRates[m_baudChoice == 1 ? 1 : 0]);
    return ChannelSpec::ForLibrary(libraryFor(m_portChoice, m_libraryPath), m_grabberPort,
                                   m_grabberBaudRate);
}

QString CommSetupDialog::PortSettingsKey(const QString &library)
{
    // A path's separators would make groups of the settings key.
    return QStringLiteral("CameraLinkPorts/") +
           QString::fromLatin1(library.toUtf8().toPercentEncoding());
}

void CommSetupDialog::ShowGrabberPorts()
{
    m_grabberPorts->clear();
    const QString library = LibraryFile();
    const QStringList ids =
        library.isEmpty() ? QStringList() : CameraProbe::LibraryPortNames(library);
    for (int i = 0; i < ids.size(); ++i)
        m_grabberPorts->addItem(ids.at(i).isEmpty() ? tr("Port %1").arg(i) : ids.at(i));
    const bool choice = ids.size() > 1;
    m_grabberPorts->setEnabled(choice);
    FindControl(this, CommSetupId::GrabberPortLabel)->setEnabled(choice);
    const int remembered = QSettings().value(PortSettingsKey(library), 0).toInt();
    m_grabberPorts->setCurrentIndex(remembered >= 0 && remembered < ids.size() ? remembered : 0);
    ShowGrabberRates();
}

void CommSetupDialog::ShowGrabberRates()
{
    const int port = qMax(0, m_grabberPorts->currentIndex());
    m_grabberRates =
        m_grabberPorts->count() > 0 ? CameraProbe::LibraryRates(LibraryFile(), port) : QList<int>();
    // Without a rate the library can set, the grabber's port keeps its own.
    SetBaudEnabled(!m_grabberRates.isEmpty());
    for (int i = 0; i < int(std::size(kBaudRates)); ++i)
        m_bauds->button(i)->setEnabled(m_grabberRates.contains(kBaudRates[i]));
    QAbstractButton *checked = m_bauds->checkedButton();
    if (checked && !checked->isEnabled()) {
        for (QAbstractButton *b : m_bauds->buttons()) {
            if (b->isEnabled())
                b->setChecked(true);
        }
    }
}

void CommSetupDialog::OnBrowse()
{
    if (m_browsing)
        return;
    m_browsing = true;
    FileDialogs::Request request;
    request.mode = FileDialogs::Open;
    request.caption = tr("OPEN DLL FILE");
    request.filter = OsSupport::LibraryFilter();
    request.selectedFilter = OsSupport::LibrarySelectedFilter();
    request.defaultSuffix = QStringLiteral("dll");
    // Where the standard keeps grabber libraries, when the computer says.
    request.initialPath = CameraProbe::LibraryDirectory();
    const QString path = FileDialogs::Ask(request, this);
    m_browsing = false;
    // A cancelled Browse keeps what was typed.
    if (path.isEmpty())
        return;
    m_libraryPath = QFileInfo(path).absoluteFilePath();
    // Only the path is shown again: the board button stays chosen.
    m_path->setText(m_libraryPath);
    ShowGrabberPorts();
}

void CommSetupDialog::OnOpen()
{
    m_opened = true;
    m_portChoice = qMax(0, m_ports->checkedId());
    m_baudChoice = qMax(0, m_bauds->checkedId());
    m_libraryPath = m_path->text();
    m_grabberPort = qMax(0, m_grabberPorts->currentIndex());
    m_grabberBaudRate =
        m_grabberRates.contains(kBaudRates[m_baudChoice]) ? kBaudRates[m_baudChoice] : 0;
    if (m_system == 1 && m_grabberPorts->count() > 1)
        QSettings().setValue(PortSettingsKey(LibraryFile()), m_grabberPort);
    accept();
}

QString CommSetupDialog::PortToolTip(int portNumber)
{
    const QString device = ComPortMap::DeviceFor(portNumber);
    QString tip = QStringLiteral("COM%1: %2").arg(portNumber).arg(device);
    // A COM port on Windows is no file: only opening it would tell more.
    if (OsSupport::DeviceIsFile() && !QFileInfo::exists(device)) {
        tip += tr(" (no such device on this computer)");
    } else if (OsSupport::DeviceIsFile()) {
        const SerialPortEntry port = PortCatalog().Describe(device);
        if (port.kernelName != device)
            tip += QStringLiteral(" (%1)").arg(port.kernelName);
        const QString slow = PortCatalog::LatencyWarning(port.latencyMs);
        if (!slow.isEmpty())
            tip += QLatin1Char('\n') + slow;
    }
    return tip + tr("\nRight-click to choose the serial port behind this button.");
}

void CommSetupDialog::UpdateToolTips()
{
    for (int n = 1; n <= ComPortMap::kPortCount; ++n)
        PortButton(n - 1)->setToolTip(PortToolTip(n));
}

void CommSetupDialog::contextMenuEvent(QContextMenuEvent *event)
{
    QWidget *under = childAt(event->pos());
    for (int n = 1; n <= ComPortMap::kPortCount; ++n) {
        if (under && under == PortButton(n - 1)) {
            ChooseDevice(n, event->globalPos());
            return;
        }
    }
    QDialog::contextMenuEvent(event);
}

void CommSetupDialog::ChooseDevice(int portNumber, const QPoint &globalPos)
{
    QMenu menu(this);
    const QString key = ComPortMap::SettingsKey(portNumber);
    const QString current = ComPortMap::DeviceFor(portNumber);
    // Listed and stored by the names that stay with an adapter when it is
    // plugged in again; a stored kernel name still finds its port.
    const QString currentPort = PortCatalog::KernelName(current);
    for (const SerialPortEntry &port : PortCatalog().List()) {
        QStringList about = {port.UsbId(), port.serialNumber, port.manufacturer, port.description};
        about.removeAll(QString());
        QString text = port.stableName;
        if (!about.isEmpty())
            text += QStringLiteral("  (%1)").arg(about.join(QStringLiteral(", ")));
        QAction *a = menu.addAction(text);
        a->setData(port.stableName);
        a->setCheckable(true);
        a->setChecked(port.kernelName == currentPort);
    }
    if (menu.isEmpty())
        menu.addAction(tr("No serial ports found"))->setEnabled(false);
    menu.addSeparator();
    QAction *reset = menu.addAction(tr("Default device"));
    QAction *chosen = menu.exec(globalPos);
    if (!chosen)
        return;
    QSettings settings;
    if (chosen == reset)
        settings.remove(key);
    else
        settings.setValue(key, chosen->data().toString());
    UpdateToolTips();
}

void CommSetupDialog::OnSearch()
{
    QList<CameraProbe::Channel> channels = CameraProbe::PortsPresent();
    // With a board chosen, its library's ports too.
    const QString library = m_ports->checkedId() >= kEuresys ? LibraryFile() : QString();
    if (!library.isEmpty())
        channels += CameraProbe::LibraryPorts(library);
    QProgressDialog progress(tr("Searching for cameras..."), tr("Cancel"), 0, 1, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setWindowTitle(QGuiApplication::applicationDisplayName());
    progress.setMinimumWidth(MessageBox::TitleWidth(progress.windowTitle()));
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
    CameraProbe probe(library);
    QList<CameraProbe::Found> found;
    {
        ExchangeGuard guard;
        if (!guard.Granted())
            return;
        // The search may find the camera on the port the program holds.
        theCamera.Close();
        // Between two probes no exchange is under way: Cancel may be pressed.
        found = probe.Run(channels, [&progress](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    }
    progress.close();
    if (probe.Stopped())
        return;
    if (found.isEmpty()) {
        QStringList text = {
            tr("No camera answered on the %1 port(s) searched.").arg(channels.size())};
        MessageBox::Show((text + probe.Problems()).join(QLatin1Char('\n')), QString(),
                         MessageBox::Information, MessageBox::Ok, this);
        return;
    }
    // A port that could not be searched (another program holds it) is
    // named with its reason, beside whatever was found elsewhere.
    const QString notSearched =
        probe.Problems().isEmpty()
            ? QString()
            : tr("Not searched:") + QLatin1Char('\n') + probe.Problems().join(QLatin1Char('\n'));
    if (found.size() == 1) {
        ChooseFound(found.first(), channels);
        if (!notSearched.isEmpty())
            MessageBox::Show(tr("%1 answered on %2 and is chosen.")
                                     .arg(QString::fromLatin1(found.first().info.modelName),
                                          found.first().channel.Name()) +
                                 QLatin1Char('\n') + notSearched,
                             QString(), MessageBox::Information, MessageBox::Ok, this);
        return;
    }
    QStringList items;
    for (const CameraProbe::Found &camera : found) {
        items << tr("%1: %2, serial %3, %4 baud")
                     .arg(camera.channel.Name(), QString::fromLatin1(camera.info.modelName),
                          QString::fromLatin1(camera.info.serialNumber),
                          camera.baud ? QString::number(camera.baud) : QStringLiteral("-"));
    }
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        this, tr("Cameras found"),
        notSearched.isEmpty()
            ? tr("Several cameras answered. Choose one:")
            : notSearched + QStringLiteral("\n\n") + tr("Several cameras answered. Choose one:"),
        items, 0, false, &ok);
    if (ok && items.contains(chosen))
        ChooseFound(found.at(int(items.indexOf(chosen))), channels);
}

void CommSetupDialog::ChooseFound(const CameraProbe::Found &camera,
                                  const QList<CameraProbe::Channel> &searched)
{
    QList<int> withPort;
    for (const CameraProbe::Channel &channel : searched)
        withPort.append(channel.comNumber);
    if (camera.channel.clPort >= 0) {
        // The board chosen is the one searched: its port, and its rate
        // where the library sets one.
        m_grabberPorts->setCurrentIndex(camera.channel.clPort);
        ShowGrabberRates();
        if (camera.baud)
            m_bauds->button(BaudButton(camera.baud))->setChecked(true);
        return;
    }
    int number = camera.channel.comNumber;
    if (number == 0) {
        // A port behind no button goes behind the first button that has no
        // port (else the one chosen), as the port menu would put it.
        number = m_ports->checkedId() >= 0 && m_ports->checkedId() < kEuresys
                     ? m_ports->checkedId() + 1
                     : 1;
        for (int n = ComPortMap::kPortCount; n >= 1; --n) {
            if (!withPort.contains(n))
                number = n;
        }
        QSettings().setValue(ComPortMap::SettingsKey(number), camera.channel.device);
        UpdateToolTips();
    }
    PortButton(number - 1)->setChecked(true);
    OnPortClicked(number - 1);
    m_bauds->button(BaudButton(camera.baud))->setChecked(true);
    PortButton(number - 1)->setFocus();
}
