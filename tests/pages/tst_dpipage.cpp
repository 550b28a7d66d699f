// The DPI page: the sensor table (ranges, labels, step to DPI) and the page's
// rows, signals and stored values.

#include "MirtDPIWindow.h"
#include "MirtSingleDPI.h"
#include "MirtTwoBarSlider.h"
#include "SensorDpi.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

class TestDpiPage : public QObject
{
    Q_OBJECT

private slots:
    void stepToDpi_data();
    void stepToDpi();
    void rangeEndsMatchLabels_data();
    void rangeEndsMatchLabels();
    void rangeVariants();

    void fillShowsStagesAndSensorRule();
    void sliderMoveStoresValues();
    void clearingLinkSeparatesAxes();
    void enableBoxStoresUsed();
    void stageCountHidesRowsButKeepsStages();
    void currentStageFromRadioRowAndReport();
    void unknownSensorShowsZero();
    void detachedPageIgnoresEdits();
};

void TestDpiPage::stepToDpi_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("dpi");
    QTest::newRow("3360 at 120") << 3360 << 120 << 12000;
    QTest::newRow("3360 past 120") << 3360 << 121 << 12200;
    QTest::newRow("3104 minimum shows 500") << 3104 << 14 << 500;
    QTest::newRow("3104 step 15") << 3104 << 15 << 600;
    QTest::newRow("31042 at 107") << 31042 << 107 << 4320;
    QTest::newRow("3212 at 95") << 3212 << 95 << 4860;
    QTest::newRow("3212 at 111 shows 7200") << 3212 << 111 << 7200;
    QTest::newRow("3212 rounds 790 up") << 3212 << 21 << 800;
    QTest::newRow("3212 rounds 2390 up") << 3212 << 63 << 2400;
    QTest::newRow("3212 at 64") << 3212 << 64 << 2430;
    QTest::newRow("3325 at 50") << 3325 << 50 << 5000;
    QTest::newRow("3325 at 51") << 3325 << 51 << 5200;
    QTest::newRow("33252 at 76") << 33252 << 76 << 10400;
    QTest::newRow("3327 at 61") << 3327 << 61 << 6200;
    QTest::newRow("3327 at 62") << 3327 << 62 << 6400;
    QTest::newRow("3327 at 93") << 3327 << 93 << 12600;
    QTest::newRow("3327 at 106 shows 16400") << 3327 << 106 << 16400;
    QTest::newRow("3333 at 81") << 3333 << 81 << 8200;
    QTest::newRow("3370 at 201") << 3370 << 201 << 10100;
    QTest::newRow("3389 at 321") << 3389 << 321 << 16100;
    QTest::newRow("3395 at 519") << 3395 << 519 << 26000;
    QTest::newRow("3395 at 520") << 3395 << 520 << 26100;
    QTest::newRow("3399 at 399") << 3399 << 399 << 20000;
    QTest::newRow("3399 at 400") << 3399 << 400 << 20100;
    QTest::newRow("3809 at 61") << 3809 << 61 << 6200;
    QTest::newRow("unknown model") << 1234 << 50 << 0;
}

void TestDpiPage::stepToDpi()
{
    QFETCH(int, model);
    QFETCH(int, step);
    QFETCH(int, dpi);
    QCOMPARE(SensorDpi::stepToDpi(model, step), dpi);
}

void TestDpiPage::rangeEndsMatchLabels_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("wide");
    QTest::addColumn<QString>("product");
    for (int model : {3104, 31042, 3212, 3311, 33112, 3325, 33252, 3327, 3333, 3335, 33352, 3360, 3370, 3389,
                      3395, 33952, 3399, 3809}) {
        QTest::addRow("%d narrow", model) << model << 0 << QString();
        QTest::addRow("%d wide", model) << model << 1 << QString();
    }
    QTest::newRow("3327 small product") << 3327 << 0 << QStringLiteral("DELVANE");
}

// The labels at both ends of every slider are the DPI of its end steps.
void TestDpiPage::rangeEndsMatchLabels()
{
    QFETCH(int, model);
    QFETCH(int, wide);
    QFETCH(QString, product);
    const SensorDpi::Rule rule = SensorDpi::rule(model, wide, product);
    QVERIFY(rule.known);
    QVERIFY(rule.minStep < rule.maxStep);
    QCOMPARE(SensorDpi::stepToDpi(model, rule.minStep), rule.minDpi);
    QCOMPARE(SensorDpi::stepToDpi(model, rule.maxStep), rule.maxDpi);
}

void TestDpiPage::rangeVariants()
{
    QCOMPARE(SensorDpi::rule(3325, 1, QString()).maxStep, 90);
    QCOMPARE(SensorDpi::rule(3325, 2, QString()).maxStep, 50); // only 1 selects the wide range
    QCOMPARE(SensorDpi::rule(33252, 0, QString()).maxDpi, 10000);
    QCOMPARE(SensorDpi::rule(3327, 0, QStringLiteral("TORVANE")).maxStep, 92);
    QCOMPARE(SensorDpi::rule(3327, 0, QStringLiteral("torvane")).maxStep, 106); // case matters
    QVERIFY(SensorDpi::rule(3360, 0, QString()).linkBox);
    QVERIFY(!SensorDpi::rule(3395, 0, QString()).linkBox);
    QVERIFY(!SensorDpi::rule(4000, 0, QString()).known);
}

static ProfileData sampleProfile()
{
    ProfileData p;
    for (int i = 0; i < kDpiStageCount; ++i) {
        p.DPI_INFO[i].used = i < 6 ? 1 : 0;
        p.DPI_INFO[i].link = 1;
        p.DPI_INFO[i].x = p.DPI_INFO[i].y = p.DPI_INFO[i].xy = 8 + 8 * i;
    }
    p.DPI_INFO[2].link = 0;
    p.DPI_INFO[2].x = 20;
    p.DPI_INFO[2].y = 40;
    p.dpi = 1;
    return p;
}

void TestDpiPage::fillShowsStagesAndSensorRule()
{
    MirtDPIWindow page;
    page.resize(456, 386);
    ProfileData profile = sampleProfile();
    page.setSensorModel(3360, 0, QString());
    page.setProfileAndSensor(&profile, 3360);
    page.show();

    MirtSingleDPI *row0 = page.row(0);
    QCOMPARE(row0->dpiText(), QStringLiteral("DPI : 800"));
    QCOMPARE(row0->minText(), QStringLiteral("100"));
    QCOMPARE(row0->maxText(), QStringLiteral("24000"));
    QVERIFY(row0->linkBox()->isVisibleTo(&page));
    QCOMPARE(row0->slider()->minimum(), 1);
    QCOMPARE(row0->slider()->maximum(), 180);

    MirtSingleDPI *row2 = page.row(2);
    QVERIFY(!row2->linkBox()->isChecked());
    QCOMPARE(row2->xText(), QStringLiteral("X:2000"));
    QCOMPARE(row2->yText(), QStringLiteral("Y:4000"));
    QCOMPARE(row2->dpiText(), QStringLiteral("DPI : 4000"));
    QVERIFY(row2->slider()->xSlider()->isVisibleTo(&page));
    QVERIFY(!row2->slider()->linkedSlider()->isVisibleTo(&page));

    QVERIFY(!page.row(6)->enableBox()->isChecked());
    QVERIFY(page.row(1)->isHighlighted());
    QVERIFY(!page.row(0)->isHighlighted());
    QVERIFY(page.radio(1)->isChecked());

    // Another sensor: the same steps, other labels and no "Link XY" box.
    page.setSensorModel(3395, 0, QString());
    QCOMPARE(row0->dpiText(), QStringLiteral("DPI : 450"));
    QVERIFY(!row0->linkBox()->isVisibleTo(&page));
    QCOMPARE(row0->maxText(), QStringLiteral("26000"));
}

void TestDpiPage::sliderMoveStoresValues()
{
    MirtDPIWindow page;
    ProfileData profile = sampleProfile();
    page.setSensorModel(3360, 0, QString());
    page.setProfileAndSensor(&profile, 3360);
    QSignalSpy rowSpy(page.row(3), &MirtSingleDPI::DPISignal);

    page.row(3)->slider()->linkedSlider()->setValue(121);
    QCOMPARE(rowSpy.count(), 1);
    QCOMPARE(rowSpy.at(0).at(0).toInt(), 121);
    QCOMPARE(rowSpy.at(0).at(1).toInt(), 121);
    QCOMPARE(rowSpy.at(0).at(2).value<quint8>(), quint8(3));
    QCOMPARE(profile.DPI_INFO[3].x, 121);
    QCOMPARE(profile.DPI_INFO[3].y, 121);
    QCOMPARE(page.row(3)->dpiText(), QStringLiteral("DPI : 12200"));

    // Separate axes: only Y moves.
    page.row(2)->slider()->ySlider()->setValue(60);
    QCOMPARE(profile.DPI_INFO[2].x, 20);
    QCOMPARE(profile.DPI_INFO[2].y, 60);
    QCOMPARE(page.row(2)->yText(), QStringLiteral("Y:6000"));

    // Programmatic values (a profile shown again) emit nothing.
    rowSpy.clear();
    page.row(3)->setValues(10, 10);
    QCOMPARE(rowSpy.count(), 0);
}

void TestDpiPage::clearingLinkSeparatesAxes()
{
    MirtDPIWindow page;
    page.resize(456, 386);
    ProfileData profile = sampleProfile();
    page.setSensorModel(3360, 0, QString());
    page.setProfileAndSensor(&profile, 3360);
    page.show();
    MirtSingleDPI *row = page.row(0);
    QSignalSpy spy(row, &MirtSingleDPI::LinkSignal);

    row->linkBox()->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<quint8>(), quint8(0));
    QCOMPARE(spy.at(0).at(1).value<quint8>(), quint8(0));
    QCOMPARE(profile.DPI_INFO[0].link, quint8(0));
    QVERIFY(row->slider()->xSlider()->isVisible());
    QVERIFY(row->slider()->ySlider()->isVisible());
    QVERIFY(!row->slider()->linkedSlider()->isVisible());

    // Apart, then linked again: Y follows X.
    row->slider()->ySlider()->setValue(50);
    row->linkBox()->click();
    QCOMPARE(profile.DPI_INFO[0].link, quint8(1));
    QCOMPARE(profile.DPI_INFO[0].y, profile.DPI_INFO[0].x);
    QVERIFY(row->slider()->linkedSlider()->isVisible());
}

void TestDpiPage::enableBoxStoresUsed()
{
    MirtDPIWindow page;
    ProfileData profile = sampleProfile();
    page.setProfileAndSensor(&profile, 3360);
    QSignalSpy spy(page.row(4), &MirtSingleDPI::EnableSignal);
    page.row(4)->enableBox()->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<quint8>(), quint8(0));
    QCOMPARE(profile.DPI_INFO[4].used, quint8(0));
    page.row(7)->enableBox()->click();
    QCOMPARE(profile.DPI_INFO[7].used, quint8(1));
}

void TestDpiPage::stageCountHidesRowsButKeepsStages()
{
    MirtDPIWindow page;
    page.resize(456, 386);
    ProfileData profile = sampleProfile();
    page.setProfileAndSensor(&profile, 3360);
    page.setStageCount(4);
    page.show();
    for (int i = 0; i < kDpiStageCount; ++i) {
        QCOMPARE(page.row(i)->isVisible(), i < 4);
        QCOMPARE(page.radio(i)->isVisible(), i < 4);
        if (i >= 4)
            QVERIFY(page.row(i)->geometry().isEmpty());
    }
    QCOMPARE(profile.DPI_INFO[6].x, 56); // hidden stages keep their values
    page.setStageCount(0);
    QCOMPARE(page.stageCount(), 1);
    page.setStageCount(12);
    QCOMPARE(page.stageCount(), 8);
}

void TestDpiPage::currentStageFromRadioRowAndReport()
{
    MirtDPIWindow page;
    page.resize(456, 386);
    ProfileData profile = sampleProfile();
    page.setProfileAndSensor(&profile, 3360);
    page.show();
    QSignalSpy spy(&page, &MirtDPIWindow::StageChangedSignal);

    page.radio(4)->click();
    QCOMPARE(profile.dpi, quint8(4));
    QVERIFY(page.row(4)->isHighlighted());
    QVERIFY(!page.row(1)->isHighlighted());

    // Pressing a row (here its DPI label area) makes it current.
    QTest::mouseClick(page.row(2), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(profile.dpi, quint8(2));
    QVERIFY(page.radio(2)->isChecked());

    // The mouse reported stage 5.
    page.MouseinSignal(5);
    QCOMPARE(profile.dpi, quint8(5));
    QVERIFY(page.radio(5)->isChecked());
    QVERIFY(page.row(5)->isHighlighted());
    QCOMPARE(spy.count(), 3);

    // A stage beyond the table changes nothing.
    page.MouseinSignal(9);
    QCOMPARE(profile.dpi, quint8(5));
}

void TestDpiPage::unknownSensorShowsZero()
{
    MirtDPIWindow page;
    ProfileData profile = sampleProfile();
    page.setSensorModel(1234, 0, QString());
    page.setProfileAndSensor(&profile, 1234);
    QCOMPARE(page.row(0)->xText(), QStringLiteral("X:0"));
    QCOMPARE(page.row(0)->yText(), QStringLiteral("Y:0"));
    QCOMPARE(page.row(0)->dpiText(), QStringLiteral("DPI : 0"));
    QCOMPARE(profile.DPI_INFO[0].x, 8); // nothing is clamped into the profile
}

void TestDpiPage::detachedPageIgnoresEdits()
{
    MirtDPIWindow page;
    ProfileData profile = sampleProfile();
    page.setProfileAndSensor(&profile, 3360);
    page.setProfileAndSensor(nullptr, 3360);
    QVERIFY(!page.isEnabled());
    page.onSliderChanged(99, 99, 0);
    page.MouseinSignal(3);
    QCOMPARE(profile.DPI_INFO[0].x, 8);
    QCOMPARE(profile.dpi, quint8(1));
}

QTEST_MAIN(TestDpiPage)
#include "tst_dpipage.moc"
