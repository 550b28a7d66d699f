// Renders the skin's SVG sources to the pictures the program loads.
//
//   mousecfg-skinrender png  SOURCE.svg OUT.png WIDTH HEIGHT [KEY=VALUE...]
//   mousecfg-skinrender ico  SOURCE.svg OUT.ico SIZE...
//   mousecfg-skinrender gif  SOURCE.svg OUT.gif SIZE FRAMES DELAY_MS BACKGROUND
//   mousecfg-skinrender raw  SOURCE.png OUT.raw [WIDTH HEIGHT keep|ignore [faded]]
//
// png renders at the given pixel size; each KEY=VALUE replaces "@KEY@" in the
// source, and every other "@NAME@" left in it reads as 0 (one source can so
// draw several variants, such as the mouse with one button highlighted). ico packs one PNG-compressed image
// per size. gif renders FRAMES frames; in frame i every "@ANGLE@" of the source becomes 360·i/FRAMES, pixels
// are laid over the BACKGROUND colour (#rrggbb) where they are at least half opaque and left transparent
// elsewhere. raw writes a rendered picture as raw premultiplied pixels with its opaque area (SkinRaw),
// smoothly scaled to WIDTH × HEIGHT first when given (keep: within that size, its aspect ratio kept), as the
// program scales it; faded: as a button's resting picture, faded before it is scaled (SkinRaw::faded).

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QVector>

#include "SkinRaw.h"

#include <cstdio>
#include <map>

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "mousecfg-skinrender: %s\n", qPrintable(text));
    return 1;
}

bool readFile(const QString &path, QByteArray *data)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *data = f.readAll();
    return true;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(data);
    return f.commit();
}

QImage render(const QByteArray &svg, int width, int height, QString *error)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        *error = QStringLiteral("not a valid SVG");
        return QImage();
    }
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&p, QRectF(0, 0, width, height));
    p.end();
    return img;
}

QByteArray pngBytes(const QImage &img)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.convertToFormat(QImage::Format_ARGB32).save(&buf, "PNG", 9);
    return out;
}

void put16(QByteArray &b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray &b, quint32 v)
{
    put16(b, int(v & 0xFFFF));
    put16(b, int(v >> 16));
}

// ICO: ICONDIR, one ICONDIRENTRY per image, then the PNG streams.
QByteArray icoBytes(const QVector<QImage> &images)
{
    QVector<QByteArray> pngs;
    for (const QImage &img : images)
        pngs.append(pngBytes(img));
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, images.size());
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < images.size(); ++i) {
        const QImage &img = images.at(i);
        out.append(char(img.width() >= 256 ? 0 : img.width()));
        out.append(char(img.height() >= 256 ? 0 : img.height()));
        out.append(char(0)); // no palette
        out.append(char(0));
        put16(out, 1);  // colour planes
        put16(out, 32); // bits per pixel
        put32(out, quint32(pngs.at(i).size()));
        put32(out, offset);
        offset += quint32(pngs.at(i).size());
    }
    for (const QByteArray &p : pngs)
        out.append(p);
    return out;
}

// LZW compression of GIF image data with the given minimum code size.
QByteArray lzw(const QVector<quint8> &pixels, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    QByteArray out;
    quint32 bitBuf = 0;
    int bitCount = 0;
    int codeSize = minCodeSize + 1;
    auto emitCode = [&](int code) {
        bitBuf |= quint32(code) << bitCount;
        bitCount += codeSize;
        while (bitCount >= 8) {
            out.append(char(bitBuf & 0xFF));
            bitBuf >>= 8;
            bitCount -= 8;
        }
    };
    std::map<quint32, int> table; // (prefix code << 8 | byte) -> code
    int nextCode = endCode + 1;
    emitCode(clearCode);
    if (pixels.isEmpty()) {
        emitCode(endCode);
        if (bitCount > 0)
            out.append(char(bitBuf & 0xFF));
        return out;
    }
    int prefix = pixels.at(0);
    for (int i = 1; i < pixels.size(); ++i) {
        const quint8 c = pixels.at(i);
        const quint32 key = (quint32(prefix) << 8) | c;
        auto it = table.find(key);
        if (it != table.end()) {
            prefix = it->second;
            continue;
        }
        emitCode(prefix);
        if (nextCode < 4096) {
            table.emplace(key, nextCode);
            if (nextCode == (1 << codeSize) && codeSize < 12)
                ++codeSize;
            ++nextCode;
        } else {
            emitCode(clearCode);
            table.clear();
            codeSize = minCodeSize + 1;
            nextCode = endCode + 1;
        }
        prefix = c;
    }
    emitCode(prefix);
    emitCode(endCode);
    if (bitCount > 0)
        out.append(char(bitBuf & 0xFF));
    return out;
}

// Animated GIF89a with one global palette: index 0 transparent, the rest the
// colours met in the frames (at most 255, nearest match beyond that).
QByteArray gifBytes(const QVector<QImage> &frames, int delayMs, const QColor &background)
{
    const int w = frames.first().width();
    const int h = frames.first().height();
    QVector<QRgb> palette{qRgb(0, 0, 0)};
    std::map<QRgb, int> index;
    QVector<QVector<quint8>> indexed;
    for (const QImage &src : frames) {
        const QImage img = src.convertToFormat(QImage::Format_ARGB32);
        QVector<quint8> px(w * h);
        for (int y = 0; y < h; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                const QRgb c = line[x];
                const int a = qAlpha(c);
                if (a < 128) {
                    px[y * w + x] = 0;
                    continue;
                }
                // Lay the pixel over the background and keep 6 bits per channel.
                auto mix = [a](int fg, int bg) { return ((fg * a + bg * (255 - a)) / 255) & 0xFC; };
                const QRgb opaque = qRgb(mix(qRed(c), background.red()), mix(qGreen(c), background.green()),
                                         mix(qBlue(c), background.blue()));
                auto it = index.find(opaque);
                int idx;
                if (it != index.end()) {
                    idx = it->second;
                } else if (palette.size() < 256) {
                    idx = palette.size();
                    palette.append(opaque);
                    index.emplace(opaque, idx);
                } else {
                    int best = 1;
                    int bestDist = INT32_MAX;
                    for (int k = 1; k < palette.size(); ++k) {
                        const int dr = qRed(palette[k]) - qRed(opaque);
                        const int dg = qGreen(palette[k]) - qGreen(opaque);
                        const int db = qBlue(palette[k]) - qBlue(opaque);
                        const int d = dr * dr + dg * dg + db * db;
                        if (d < bestDist) {
                            bestDist = d;
                            best = k;
                        }
                    }
                    idx = best;
                    index.emplace(opaque, idx);
                }
                px[y * w + x] = quint8(idx);
            }
        }
        indexed.append(px);
    }
    while (palette.size() < 256)
        palette.append(qRgb(0, 0, 0));

    QByteArray out("GIF89a");
    put16(out, w);
    put16(out, h);
    out.append(char(0xF7)); // global colour table of 256 entries
    out.append(char(0));
    out.append(char(0));
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // Loop for ever.
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (const QVector<quint8> &px : indexed) {
        out.append("\x21\xF9\x04", 3);
        out.append(char(0x09)); // restore to background, transparent colour given
        put16(out, qMax(1, delayMs / 10));
        out.append(char(0)); // transparent index
        out.append(char(0));
        out.append(char(0x2C));
        put16(out, 0);
        put16(out, 0);
        put16(out, w);
        put16(out, h);
        out.append(char(0));
        out.append(char(8));
        const QByteArray data = lzw(px, 8);
        for (int i = 0; i < data.size(); i += 255) {
            const int n = qMin(255, data.size() - i);
            out.append(char(n));
            out.append(data.mid(i, n));
        }
        out.append(char(0));
    }
    out.append(char(0x3B));
    return out;
}

int toInt(const char *s, bool *ok)
{
    return QByteArray(s).toInt(ok);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4)
        return fail(QStringLiteral("usage: png|ico|gif|raw SOURCE OUT ARGS..."));
    const QByteArray mode(argv[1]);
    const QString source = QString::fromLocal8Bit(argv[2]);
    const QString target = QString::fromLocal8Bit(argv[3]);
    if (mode == "raw" && (argc == 4 || argc == 7 || (argc == 8 && QByteArray(argv[7]) == "faded"))) {
        QImage img;
        if (!img.load(source))
            return fail(QStringLiteral("cannot read %1").arg(source));
        if (argc == 8) // from the pixels the program reads: the raw form's
            img = SkinRaw::faded(img.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        if (argc >= 7) {
            bool okW = false, okH = false;
            const QSize size(toInt(argv[4], &okW), toInt(argv[5], &okH));
            const QByteArray aspect(argv[6]);
            if (!okW || !okH || size.isEmpty() || (aspect != "keep" && aspect != "ignore"))
                return fail(QStringLiteral("bad raw size"));
            if (img.size() != size)
                img = img.scaled(size, aspect == "keep" ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        }
        return SkinRaw::write(target, img) ? 0 : fail(QStringLiteral("cannot write %1").arg(target));
    }
    if (argc < 5)
        return fail(QStringLiteral("usage: png|ico|gif SOURCE.svg OUT ARGS..."));
    QByteArray svg;
    if (!readFile(source, &svg))
        return fail(QStringLiteral("cannot read %1").arg(source));
    QString error;
    bool ok = true;

    if (mode == "png" && argc >= 6) {
        for (int i = 6; i < argc; ++i) {
            const QByteArray kv(argv[i]);
            const int eq = kv.indexOf('=');
            if (eq <= 0)
                return fail(QStringLiteral("bad substitution %1").arg(QString::fromLatin1(kv)));
            svg.replace('@' + kv.left(eq) + '@', kv.mid(eq + 1));
        }
        svg = QString::fromUtf8(svg)
                  .replace(QRegularExpression(QStringLiteral("@[A-Z0-9_]+@")), QStringLiteral("0"))
                  .toUtf8();
        bool okW = false, okH = false;
        const int w = toInt(argv[4], &okW);
        const int h = toInt(argv[5], &okH);
        if (!okW || !okH || w <= 0 || h <= 0)
            return fail(QStringLiteral("bad size"));
        const QImage img = render(svg, w, h, &error);
        if (img.isNull())
            return fail(source + QStringLiteral(": ") + error);
        ok = writeFile(target, pngBytes(img));
    } else if (mode == "ico") {
        QVector<QImage> images;
        for (int i = 4; i < argc; ++i) {
            bool okS = false;
            const int s = toInt(argv[i], &okS);
            if (!okS || s <= 0 || s > 256)
                return fail(QStringLiteral("bad icon size"));
            const QImage img = render(svg, s, s, &error);
            if (img.isNull())
                return fail(source + QStringLiteral(": ") + error);
            images.append(img);
        }
        ok = writeFile(target, icoBytes(images));
    } else if (mode == "gif" && argc == 8) {
        bool okS = false, okF = false, okD = false;
        const int size = toInt(argv[4], &okS);
        const int frames = toInt(argv[5], &okF);
        const int delay = toInt(argv[6], &okD);
        const QColor background(QString::fromLatin1(argv[7]));
        if (!okS || !okF || !okD || size <= 0 || frames <= 0 || !background.isValid())
            return fail(QStringLiteral("bad gif arguments"));
        QVector<QImage> images;
        for (int i = 0; i < frames; ++i) {
            QByteArray frameSvg = svg;
            frameSvg.replace("@ANGLE@", QByteArray::number(360.0 * i / frames, 'f', 3));
            const QImage img = render(frameSvg, size, size, &error);
            if (img.isNull())
                return fail(source + QStringLiteral(": ") + error);
            images.append(img);
        }
        ok = writeFile(target, gifBytes(images, delay, background));
    } else {
        return fail(QStringLiteral("usage: png|ico|gif SOURCE.svg OUT ARGS..."));
    }
    if (!ok)
        return fail(QStringLiteral("cannot write %1").arg(target));
    return 0;
}
