#include "czqb40view.h"

#include "camera/camerainfo.h"
#include "camera/cameramodel.h"
#include "camera/paneltables.h"
#include "camera/paramtable.h"
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "resources/dialogtemplate.h"
#include "resources/panelids.h"
#include "ui/controllookup.h"
#include "ui/dialogbuilder.h"
#include "ui/messagebox.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace {
// Controls hidden at set-up; nothing shows them again.
const int kHiddenAtSetUp[] = {
    PanelId::AdjustGainLCaption, PanelId::AdjustGainLSlider, PanelId::AdjustGainLValue,
    PanelId::AdjustGainRCaption, PanelId::AdjustGainRSlider, PanelId::AdjustGainRValue,
    PanelId::SubVCaption,        PanelId::SubVSlider,        PanelId::SubVValue,
    PanelId::InfoGroup,          PanelId::VendorCaption,     PanelId::ModelCaption,
    PanelId::SerialCaption,      PanelId::VersionCaption,    PanelId::VendorValue,
    PanelId::ModelValue,         PanelId::SerialValue,       PanelId::VersionValue,
    PanelId::ReadAndReset,       PanelId::SerialGroup,       PanelId::SerialEdit,
    PanelId::SerialSpin,         PanelId::SerialWrite};

const int kSortAndTest[] = {PanelId::SortGroup,      PanelId::SortOff,
                            PanelId::SortOn,         PanelId::TestPatternGroup,
                            PanelId::TestPatternOff, PanelId::TestPatternH,
                            PanelId::TestPatternV,   PanelId::TestPatternHv};
const int kBalanceGroup[] = {
    PanelId::BalanceGroup,      PanelId::BalanceManual,    PanelId::BalanceAuto,
    PanelId::BalanceOff,        PanelId::RightGainSlider,  PanelId::RightGainValue,
    PanelId::RightGainCaption,  PanelId::RightBlackSlider, PanelId::RightBlackValue,
    PanelId::RightBlackCaption, PanelId::WhiteSpotGroup,   PanelId::WhiteSpotOff,
    PanelId::WhiteSpotOn,       PanelId::Detect,           PanelId::FactorySet,
    PanelId::FactoryGroup};
const int kAccelGroup[] = {PanelId::AccelGroup, PanelId::AccelOn, PanelId::AccelOff};
} // namespace

CZQB40View::CZQB40View(CZQB40Doc *doc, QWidget *parent) : QWidget(parent), m_doc(doc)
{
    m_layoutSize = DialogBuilder::Build(*FindDialogTemplate(PanelId::Dialog), this);
    for (int id : kHiddenAtSetUp)
        Ctl(id)->hide(); // before the frame takes its size from the panel
    ConnectControls();

    connect(doc, &CZQB40Doc::initialUpdate, this, &CZQB40View::InitPanel);
    connect(doc, &CZQB40Doc::refreshViews, this, &CZQB40View::RefreshPanel);
}

QSize CZQB40View::sizeHint() const
{
    // What the visible controls need, with a margin like the left one.
    QRect used;
    for (QWidget *w : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (!w->isHidden())
            used |= w->geometry();
    if (used.isEmpty())
        return m_layoutSize;
    return QSize(used.right() + used.left() + 1, used.bottom() + used.top() + 1);
}

QSize CZQB40View::minimumSizeHint() const
{
    return sizeHint();
}

QWidget *CZQB40View::Ctl(int id) const
{
    return FindControl(this, id);
}

bool CZQB40View::IsOn(int id) const
{
    auto *b = qobject_cast<QAbstractButton *>(Ctl(id));
    return b && b->isChecked();
}

void CZQB40View::Enable(std::initializer_list<int> ids, bool enabled)
{
    for (int id : ids)
        if (QWidget *w = Ctl(id))
            w->setEnabled(enabled);
}

void CZQB40View::InitPanel()
{
    int sliders = 0;
    const SliderRow *rows = PanelTables::Sliders(&sliders);
    for (int i = 0; i < sliders; ++i) {
        auto *s = qobject_cast<QAbstractSlider *>(Ctl(rows[i].slider));
        QSignalBlocker block(s);
        s->setRange(ParamTable::GetMin(rows[i].param), ParamTable::GetMax(rows[i].param));
    }
    if (auto *spin = qobject_cast<QAbstractSlider *>(Ctl(PanelId::SerialSpin)))
        spin->setRange(0, 9999999);
    for (int id : kHiddenAtSetUp)
        Ctl(id)->hide();
    // The panel is a fixed form: the frame sizes itself to it, no scroll bars.
    updateGeometry();
    RefreshPanel();
}

void CZQB40View::SetGroup(const RadioChoice *choices, int count, int group, int value)
{
    QButtonGroup *buttons = nullptr;
    for (int i = 0; i < count; ++i) {
        if (choices[i].group != group)
            continue;
        auto *b = qobject_cast<QAbstractButton *>(Ctl(choices[i].button));
        if (!buttons && b->group()) {
            buttons = b->group();
            // An exclusive group cannot show "none of these".
            buttons->setExclusive(false);
        }
        b->setChecked(value == choices[i].value);
    }
    if (buttons)
        buttons->setExclusive(true);
}

void CZQB40View::RefreshPanel()
{
    ShowCameraInfo();
    const CameraModel model = CameraModel::Of(m_modelName, m_version);
    for (int id : kSortAndTest)
        Ctl(id)->setEnabled(model.sortAndTest);
    for (int id : kBalanceGroup)
        Ctl(id)->setEnabled(model.balance);

    int count = 0;
    const RadioChoice *radios = PanelTables::Radios(&count);
    for (int group = 0; group < PanelTables::RadioGroups(); ++group) {
        int param = -1;
        for (int i = 0; i < count && param < 0; ++i)
            if (radios[i].group == group)
                param = radios[i].param;
        SetGroup(radios, count, group, m_doc->GetValue(param));
    }

    auto *gain = qobject_cast<QAbstractSlider *>(Ctl(PanelId::GainSlider));
    {
        QSignalBlocker block(gain);
        if (model.accel) {
            int n = 0;
            const RadioChoice *accel = PanelTables::Accel(&n);
            SetGroup(accel, n, accel[0].group, m_doc->GetValue(accel[0].param));
            for (int id : kAccelGroup)
                Ctl(id)->setEnabled(true);
        } else {
            for (int id : kAccelGroup)
                Ctl(id)->setEnabled(false);
        }
        gain->setRange(0, model.gainMax);
    }
    window()->setWindowTitle(model.title);

    // Shutter: 9 and 255 both mean VARIABLE; other values select nothing.
    int n = 0;
    const RadioChoice *shutter = PanelTables::Shutter(&n);
    const int v = m_doc->GetValue(shutter[0].param);
    SetGroup(shutter, n, shutter[0].group, PanelTables::ShutterChoice(v));

    const SliderRow *rows = PanelTables::Sliders(&count);
    for (int i = 0; i < count; ++i)
        ShowValue(rows[i].param, rows[i].slider, rows[i].readout, m_doc->GetValue(rows[i].param));
    ShowScanTiming();
    UpdateEnables(0);
}
