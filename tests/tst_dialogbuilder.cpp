// The dialog-table builder: units, ids, radio groups and styles; every text
// of the tables, in every language, can be drawn with the fonts installed;
// and no caption is wider than its control.
#include "camera/registerpage.h"
#include "resources/menutable.h"
#include "resources/stringtable.h"
#include "ui/controllookup.h"
#include "ui/dialogbuilder.h"
#include "ui/language.h"

#include <QFile>
#include <QFontDatabase>
#include <QRawFont>
#include <QXmlStreamReader>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QtTest>

namespace {
using D = DialogItem;
const DialogItem kItems[] = {
    {10, D::GroupBox, "MODE", 0, 0, 50, 50, 0},
    {11, D::RadioButton, "A", 4, 10, 20, 10, D::GroupStart | D::PushLike},
    {12, D::RadioButton, "B", 4, 20, 20, 10, D::PushLike},
    {13, D::Label, "x", 30, 10, 10, 8, D::Sunken | D::AlignRight},
    {14, D::RadioButton, "C", 4, 30, 20, 10, 0}, // still the first group
    {20, D::RadioButton, "D", 60, 10, 20, 10, D::GroupStart},
    {21, D::RadioButton, "E", 60, 20, 20, 10, D::Hidden | D::Disabled},
    {30, D::ScrollBar, "", 0, 60, 8, 40, D::Vertical},
    {31, D::Edit, "", 20, 60, 40, 12, D::UpperCase | D::ReadOnly},
};
const DialogTemplate kLayout = {1, "t", 100, 80, kItems, int(sizeof kItems / sizeof kItems[0]), "Test", 0};
} // namespace

class TestDialogBuilder : public QObject
{
    Q_OBJECT
private slots:
    void unitsIdsGroupsAndStyles();
    void everyTextHasAGlyph_data();
    void everyTextHasAGlyph();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void cleanup() { Language::Install(QStringLiteral("en")); }
};

void TestDialogBuilder::unitsIdsGroupsAndStyles()
{
    QWidget w;
    const QSize size = DialogBuilder::Build(kLayout, &w);
    const QSize base = DialogBuilder::BaseUnits(w.font());
    QVERIFY(base.width() > 2 && base.height() > 6);
    QCOMPARE(size, QSize((100 * base.width() + 2) / 4, (80 * base.height() + 4) / 8));
    QCOMPARE(FindControl(&w, 30)->geometry(),
             DialogBuilder::ToPixels(QRect(0, 60, 8, 40), w.font()));

    auto *a = FindControlAs<QRadioButton>(&w, 11);
    auto *d = FindControlAs<QRadioButton>(&w, 20);
    QVERIFY(a && d && a->group() && d->group());
    QCOMPARE(a->group(), FindControlAs<QRadioButton>(&w, 12)->group());
    QCOMPARE(a->group(), FindControlAs<QRadioButton>(&w, 14)->group());
    QVERIFY(a->group() != d->group());
    QVERIFY(a->group()->exclusive());
    a->click();
    FindControlAs<QRadioButton>(&w, 12)->click();
    QVERIFY(!a->isChecked()); // one button of a group at a time
    QVERIFY(!d->isChecked()); // other groups untouched
    QCOMPARE(a->accessibleName(), QStringLiteral("A"));

    QVERIFY(FindControl(&w, 21)->isHidden() && !FindControl(&w, 21)->isEnabled());
    QCOMPARE(FindControlAs<QScrollBar>(&w, 30)->orientation(), Qt::Vertical);
    QCOMPARE(FindControlAs<QLabel>(&w, 13)->frameShadow(), QFrame::Sunken);
    QVERIFY(FindControlAs<QLabel>(&w, 13)->alignment() & Qt::AlignRight);
    auto *edit = FindControlAs<QLineEdit>(&w, 31);
    QVERIFY(edit->isReadOnly());
    edit->setReadOnly(false);
    QTest::keyClicks(edit, "7e0f");
    QCOMPARE(edit->text(), QStringLiteral("7E0F"));
    // Frames stay behind the controls they hold.
    QCOMPARE(w.children().indexOf(FindControl(&w, 10)), 0);
    QVERIFY(!FindControl(&w, 99));
    QVERIFY(!FindControlAs<QGroupBox>(&w, 11));
}

void TestDialogBuilder::everyTextHasAGlyph_data()
{
    QTest::addColumn<QStringList>("texts");
    QStringList strings;
    for (int id : StringTable::Ids())
        strings << StringTable::Load(id);
    QTest::newRow("string table") << strings;
    int count = 0;
    const DialogTemplate *const *dialogs = DialogTemplates(&count);
    for (int d = 0; d < count; ++d) {
        QStringList texts{QString::fromUtf8(dialogs[d]->caption)};
        for (int i = 0; i < dialogs[d]->count; ++i)
            texts << QString::fromUtf8(dialogs[d]->items[i].caption);
        QTest::newRow(qPrintable(QStringLiteral("dialog %1").arg(dialogs[d]->id))) << texts;
    }
    QStringList menus;
    const MenuEntry *menu = MainMenu(&count);
    for (int m = 0; m < count; ++m) {
        menus << QString::fromUtf8(menu[m].title);
        for (int i = 0; i < menu[m].count; ++i)
            menus << QString::fromUtf8(menu[m].items[i].text);
    }
    QTest::newRow("menus") << menus;
    QStringList editor{RegisterPage::RefusalText(RegisterPage::BadAddress),
                       RegisterPage::RefusalText(RegisterPage::BadData)};
    for (int a = 0; a < RegisterPage::kAreaCount; ++a)
        editor << QString::fromUtf8(RegisterPage::AreaOf(RegisterPage::Area(a)).caption);
    for (int p = 0; p < RegisterPage::kPageCount; ++p)
        editor << RegisterPage::PageCaption(p);
    QTest::newRow("register editor messages and areas") << editor;
    // Every Japanese text of the translation, the code's messages too.
    QFile ts(QStringLiteral(ZQ_TS_FILE));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QStringList japanese;
    for (QXmlStreamReader xml(&ts); !xml.atEnd();)
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"translation")
            japanese << xml.readElementText();
    QVERIFY(japanese.size() > 100);
    QTest::newRow("Japanese translation") << japanese;
}

void TestDialogBuilder::everyTextHasAGlyph()
{
    // A character no installed font has is drawn as an empty box, and the
    // Japanese captions would all look alike.
    QFETCH(QStringList, texts);
    static QList<QRawFont> fonts;
    if (fonts.isEmpty()) {
        for (const QString &family : QFontDatabase::families())
            fonts << QRawFont::fromFont(QFont(family));
    }
    QString missing;
    for (const QString &text : texts) {
        for (const char32_t c : text.toUcs4()) {
            if (c < 0x20 || missing.contains(QString::fromUcs4(&c, 1)))
                continue;
            if (std::none_of(fonts.cbegin(), fonts.cend(),
                             [c](const QRawFont &f) { return f.supportsCharacter(uint(c)); }))
                missing += QString::fromUcs4(&c, 1);
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no installed font draws \"%1\"; "
                                                          "./test --install installs one")
                                               .arg(missing)));
}

void TestDialogBuilder::captionsFitTheirControls_data()
{
    QTest::addColumn<int>("dialog");
    QTest::addColumn<QString>("language");
    int count = 0;
    const DialogTemplate *const *dialogs = DialogTemplates(&count);
    for (const QString &language : Language::Available())
        for (int d = 0; d < count; ++d)
            QTest::addRow("%s, dialog %d", qPrintable(language), dialogs[d]->id)
                << dialogs[d]->id << language;
}

void TestDialogBuilder::captionsFitTheirControls()
{
    // The rectangles are the same in every language: a wording that does
    // not fit is cut off, or runs into the control beside it.
    QFETCH(int, dialog);
    QFETCH(QString, language);
    QVERIFY(Language::Install(language));
    const DialogTemplate &layout = *FindDialogTemplate(dialog);
    QWidget w;
    DialogBuilder::Build(layout, &w);
    QStringList clipped;
    for (int i = 0; i < layout.count; ++i) {
        const DialogItem &item = layout.items[i];
        QString text = layout.CaptionOf(item);
        if (text.isEmpty() || item.kind == DialogItem::Edit)
            continue;
        QWidget *control = nullptr;
        for (QWidget *c : w.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (c->property("dialogItem") == i)
                control = c;
        QVERIFY(control);
        const QFontMetrics fm(control->font());
        if (item.kind != DialogItem::Label)
            text.replace(QLatin1String("&&"), QLatin1String("&"));
        int need = 0; // a trailing blank shows nothing
        for (const QString &line : text.split(QLatin1Char('\n')))
            need = qMax(need, fm.horizontalAdvance(QString(line).remove(QRegularExpression(
                                  QStringLiteral("\\s+$")))));
        const QStyle *style = control->style();
        switch (item.kind) {
        case DialogItem::GroupBox:
            need += 10; // the title's place on the frame line and its padding
            break;
        case DialogItem::PushButton:
            need += 4; // the button's frame
            break;
        case DialogItem::RadioButton:
            need += (item.style & DialogItem::PushLike)
                        ? 4
                        : style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                              style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
            break;
        case DialogItem::CheckBox:
            need += style->pixelMetric(QStyle::PM_IndicatorWidth) +
                    style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
            break;
        default:
            break;
        }
        if (need > control->width())
            clipped << QStringLiteral("\"%1\" (%2 of %3 px)")
                           .arg(text)
                           .arg(need)
                           .arg(control->width());
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
}

QTEST_MAIN(TestDialogBuilder)
#include "tst_dialogbuilder.moc"
