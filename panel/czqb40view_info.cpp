// The panel's read-outs that need no camera traffic: the identification
// texts and the partial scan's line timing.
#include "czqb40view.h"

#include "camera/camerainfo.h"
#include "camera/cameramodel.h"
#include "camera/thecamera.h"
#include "resources/panelids.h"
#include "ui/controllookup.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QLabel>

void CZQB40View::ShowCameraInfo()
{
    const CameraInfo info = CameraInfo::Decode(theCamera);
    m_vendorName = info.vendorName;
    m_modelName = info.modelName;
    m_serialNumber = info.serialNumber;
    m_version = info.version;
    m_eightDigits = info.eightDigits ? 1 : 0;
    const QPair<int, QByteArray> texts[] = {{PanelId::VendorValue, m_vendorName},
                                            {PanelId::ModelValue, m_modelName},
                                            {PanelId::SerialValue, m_serialNumber},
                                            {PanelId::VersionValue, m_version}};
    for (const auto &t : texts)
        qobject_cast<QLabel *>(Ctl(t.first))->setText(QString::fromLatin1(t.second));
    for (int id : {PanelId::SevenDigits, PanelId::EightDigits}) {
        auto *b = qobject_cast<QAbstractButton *>(Ctl(id));
        QSignalBlocker block(b);
        if (b->group())
            b->group()->setExclusive(false);
        b->setChecked((id == PanelId::EightDigits) == (m_eightDigits == 1));
        if (b->group())
            b->group()->setExclusive(true);
    }
}

void CZQB40View::ShowScanTiming()
{
    const int s = qobject_cast<QAbstractSlider *>(Ctl(PanelId::StartSlider))->value();
    const int w = qobject_cast<QAbstractSlider *>(Ctl(PanelId::WidthSlider))->value();
    const CameraModel::ScanTiming t =
        CameraModel::Timing(IsOn(PanelId::AccelOn), IsOn(PanelId::PartialOn), s, w);
    const int values[] = {t.backPorch, t.active, t.frontPorch, t.total};
    for (int i = 0; i < 4; ++i)
        qobject_cast<QLabel *>(Ctl(PanelId::BporchValue + i))
            ->setText(QStringLiteral(" %1 ").arg(values[i]));
}
