// What the skin costs: loading and scaling the large pictures (start-up,
// window rescale, mouse hover) and painting the kit's buttons.
//
//   MOUSECFG_DATA_DIR=build/bin QT_QPA_PLATFORM=offscreen build/bench-bin/bench_widgets

#include "MirtKit.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"
#include "Paths.h"
#include "ShippedModel.h"

#include <QApplication>
#include <QBitmap>
#include <QImage>
#include <QPixmap>
#include <QPixmapCache>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

double scaleOf(const benchmark::State &state)
{
    return state.range(0) / 100.0;
}

// Each factor loads the skin's rendition for it (1x, 2x, full size). Decoded
// as an image: QPixmap would answer the smaller ones from QPixmapCache.
void BM_LoadMainBackground(benchmark::State &state)
{
    const QString path = MirtKit::resolvePath(QStringLiteral("cfgMainback.png"), scaleOf(state));
    for (auto _ : state) {
        QImage img(path);
        benchmark::DoNotOptimize(img);
    }
}
BENCHMARK(BM_LoadMainBackground)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);

// The window makes its background (and its shape) for a new scale factor.
void BM_ScaleMainBackground(benchmark::State &state)
{
    const double f = scaleOf(state);
    const QPixmap back(MirtKit::resolvePath(QStringLiteral("cfgMainback.png"), f));
    const QSize size(int(999 * f), int(640 * f));
    for (auto _ : state) {
        const QPixmap scaled = back.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QBitmap mask = scaled.mask();
        benchmark::DoNotOptimize(mask);
    }
}
BENCHMARK(BM_ScaleMainBackground)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);

// Hovering a row of the button page loads and scales one highlighted mouse.
void BM_MouseHoverPicture(benchmark::State &state)
{
    const double f = scaleOf(state);
    const QString path = MirtKit::resolvePath(
        QStringLiteral("mouse/%1/mouse_3.png").arg(QString::fromLatin1(kShippedProductName)), f);
    const QSize box(int(300 * f), int(400 * f));
    for (auto _ : state) {
        const QPixmap pm = QPixmap(path).scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(pm);
    }
}
BENCHMARK(BM_MouseHoverPicture)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);

// The same on a cold pixmap cache: the first hover of each row.
void BM_MouseHoverPictureCold(benchmark::State &state)
{
    const double f = scaleOf(state);
    const QString path = MirtKit::resolvePath(
        QStringLiteral("mouse/%1/mouse_3.png").arg(QString::fromLatin1(kShippedProductName)), f);
    const QSize box(int(300 * f), int(400 * f));
    for (auto _ : state) {
        state.PauseTiming();
        QPixmapCache::clear();
        state.ResumeTiming();
        const QPixmap pm = QPixmap(path).scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(pm);
    }
}
BENCHMARK(BM_MouseHoverPictureCold)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_PushButtonPaint(benchmark::State &state)
{
    const double f = scaleOf(state);
    MirtKit::setScaleFactor(f);
    MirtPushButton button({QStringLiteral("/skin/tabbutton-1.png"), QStringLiteral("/skin/tabbutton-3.png"),
                           QStringLiteral("/skin/tabbutton-2.png")});
    button.resize(int(220 * f), int(30 * f));
    button.setText(QStringLiteral("Ctrl + Alt + Delete"));
    button.SetState(1);
    QImage target(button.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        button.render(&target);
        benchmark::ClobberMemory();
    }
    MirtKit::setScaleFactor(1.0);
}
BENCHMARK(BM_PushButtonPaint)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_ButtonConstruction(benchmark::State &state)
{
    MirtKit::setScaleFactor(scaleOf(state));
    for (auto _ : state) {
        MirtPushButton button({QStringLiteral("/skin/tabbutton-1.png"),
                               QStringLiteral("/skin/tabbutton-3.png"),
                               QStringLiteral("/skin/tabbutton-2.png")});
        benchmark::DoNotOptimize(button);
    }
    MirtKit::setScaleFactor(1.0);
}
BENCHMARK(BM_ButtonConstruction)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_MessageBoxConstruction(benchmark::State &state)
{
    for (auto _ : state) {
        MirtMessageBox box(MirtMessageBox::kQuestion, QString(), QStringLiteral("Warning"),
                           QStringLiteral("Profile Exist!"));
        benchmark::DoNotOptimize(box);
    }
}
BENCHMARK(BM_MessageBoxConstruction)->Unit(benchmark::kMillisecond);

void BM_LanguageFont(benchmark::State &state)
{
    for (auto _ : state) {
        const QFont f = MirtKit::languageFont();
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(BM_LanguageFont);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir config;
    Paths::setConfigDir(config.path());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
