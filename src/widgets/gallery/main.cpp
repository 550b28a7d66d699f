// mousecfg-gallery: shows every kit widget and every skin picture.
//
//   mousecfg-gallery [--scale F] [--screenshot FILE] [--theme N] [--color-mode N]

#include "Gallery.h"
#include "MirtKit.h"
#include "MirtMessageBox.h"
#include "MirtProcessDialog.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLayout>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mousecfg-gallery"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Every kit widget and skin picture at a chosen scale."));
    parser.addHelpOption();
    QCommandLineOption scaleOpt(QStringLiteral("scale"), QStringLiteral("Window scale factor, 1.0 to 5.0."),
                                QStringLiteral("factor"), QStringLiteral("1.0"));
    QCommandLineOption shotOpt(QStringLiteral("screenshot"),
                               QStringLiteral("Save a picture of the window and quit."),
                               QStringLiteral("file"));
    QCommandLineOption themeOpt(QStringLiteral("theme"), QStringLiteral("Accent colour index, 0 to 6."),
                                QStringLiteral("index"));
    QCommandLineOption modeOpt(QStringLiteral("color-mode"),
                               QStringLiteral("0 standard, 1 alternative colours."), QStringLiteral("mode"));
    parser.addOptions({scaleOpt, shotOpt, themeOpt, modeOpt});
    parser.process(app);

    bool ok = false;
    const double scale = parser.value(scaleOpt).toDouble(&ok);
    if (!ok || scale < 1.0 || scale > 5.0) {
        std::fprintf(stderr, "mousecfg-gallery: the scale must be a number from 1.0 to 5.0\n");
        return 2;
    }
    if (parser.isSet(themeOpt)) {
        const int theme = parser.value(themeOpt).toInt(&ok);
        if (!ok || theme < 0 || theme >= MirtKit::accentCount()) {
            std::fprintf(stderr, "mousecfg-gallery: the theme must be 0 to %d\n", MirtKit::accentCount() - 1);
            return 2;
        }
        MirtKit::setThemeIndex(theme);
    }
    if (parser.isSet(modeOpt))
        MirtKit::setColorMode(parser.value(modeOpt).toInt());

    MirtKit::setScaleFactor(scale);
    Gallery gallery(scale);
    gallery.show();
    if (parser.isSet(shotOpt)) {
        const QString file = parser.value(shotOpt);
        QTimer::singleShot(600, &gallery, [&gallery, file]() {
            // The window, and the whole page of pictures beside it.
            QString picturesFile = file;
            const int dot = picturesFile.lastIndexOf(QLatin1Char('.'));
            picturesFile.insert(dot > 0 ? dot : picturesFile.size(), QStringLiteral("-pictures"));
            QPixmap pictures(gallery.picturesPage()->size());
            pictures.fill(QColor(11, 12, 15));
            gallery.picturesPage()->render(&pictures, QPoint(), QRegion(), QWidget::DrawChildren);
            // And the two modal windows at full size.
            QString boxFile = file;
            boxFile.insert(dot > 0 ? dot : boxFile.size(), QStringLiteral("-messagebox"));
            MirtMessageBox box(MirtMessageBox::kQuestion, QString(), QStringLiteral("Warning"),
                               QStringLiteral("Send data failed, please try again."));
            box.layout()->activate();
            QString busyFile = file;
            busyFile.insert(dot > 0 ? dot : busyFile.size(), QStringLiteral("-busy"));
            MirtProcessDialog busy(&gallery);
            QPixmap busyShot(busy.size());
            busyShot.fill(QColor(11, 12, 15));
            busy.render(&busyShot, QPoint(), QRegion(), QWidget::DrawChildren);
            const bool saved = gallery.grab().save(file) && pictures.save(picturesFile) &&
                               box.grab().save(boxFile) && busyShot.save(busyFile);
            if (!saved)
                std::fprintf(stderr, "mousecfg-gallery: cannot write %s\n", qPrintable(file));
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
