// The X11 backend against a real X server (Xvfb), where a client may give a
// pointer device the "libinput Accel Speed" property as the driver would.

#include "PointerSpeed.h"
#include "X11PointerSpeed.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#ifdef MOUSECFG_HAVE_XI
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <cstring>
#endif

class TestX11PointerSpeed : public QObject
{
    Q_OBJECT

private:
    QProcess m_xvfb;
    QString m_display;
#ifdef MOUSECFG_HAVE_XI
    Display *m_dpy = nullptr;

    QList<int> slavePointers()
    {
        QList<int> ids;
        int count = 0;
        XIDeviceInfo *info = XIQueryDevice(m_dpy, XIAllDevices, &count);
        for (int i = 0; i < count; ++i) {
            if (info[i].use == XISlavePointer)
                ids << info[i].deviceid;
        }
        XIFreeDeviceInfo(info);
        return ids;
    }

    static int s_error;
    static int onError(Display *, XErrorEvent *e)
    {
        s_error = e->error_code;
        return 0;
    }

    // Gives every slave pointer the property; false when the server refuses.
    bool setRawProperty(Atom type, int format, const void *data)
    {
        const Atom prop = XInternAtom(m_dpy, X11PointerSpeed::propertyName(), False);
        s_error = 0;
        XErrorHandler old = XSetErrorHandler(onError);
        for (int id : slavePointers())
            XIChangeProperty(m_dpy, id, prop, type, format, XIPropModeReplace,
                             static_cast<unsigned char *>(const_cast<void *>(data)), 1);
        XSync(m_dpy, False);
        XSetErrorHandler(old);
        return s_error == 0;
    }

    void deleteRawProperty()
    {
        const Atom prop = XInternAtom(m_dpy, X11PointerSpeed::propertyName(), False);
        for (int id : slavePointers())
            XIDeleteProperty(m_dpy, id, prop);
        XSync(m_dpy, False);
    }

    QList<float> rawValues()
    {
        QList<float> values;
        const Atom prop = XInternAtom(m_dpy, X11PointerSpeed::propertyName(), False);
        for (int id : slavePointers()) {
            Atom type = 0;
            int format = 0;
            unsigned long items = 0, after = 0;
            unsigned char *data = nullptr;
            if (XIGetProperty(m_dpy, id, prop, 0, 1, False, AnyPropertyType, &type, &format, &items, &after,
                              &data) == Success &&
                items == 1 && format == 32) {
                float f = 0;
                std::memcpy(&f, data, sizeof f);
                values << f;
            }
            if (data)
                XFree(data);
        }
        return values;
    }
#endif

private slots:
    void initTestCase()
    {
#ifndef MOUSECFG_HAVE_XI
        QSKIP("built without XInput2");
#else
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            QSKIP("Xvfb is not installed; the X11 backend is not exercised");
        m_xvfb.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("640x480x24")});
        QVERIFY(m_xvfb.waitForStarted(5000));
        QByteArray out;
        QElapsedTimer t;
        t.start();
        while (!out.contains('\n') && t.elapsed() < 15000) {
            m_xvfb.waitForReadyRead(500);
            out += m_xvfb.readAllStandardOutput();
        }
        if (!out.contains('\n'))
            QSKIP("Xvfb did not come up");
        m_display = QLatin1Char(':') + QString::fromLatin1(out.trimmed());
        m_dpy = XOpenDisplay(m_display.toLatin1().constData());
        QVERIFY(m_dpy);
        QVERIFY(!slavePointers().isEmpty());
        const float zero = 0.0f;
        const Atom floatAtom = XInternAtom(m_dpy, "FLOAT", False);
        if (!setRawProperty(floatAtom, 32, &zero))
            QSKIP("this X server does not let a client set device properties");
        deleteRawProperty();
#endif
    }

    void cleanupTestCase()
    {
#ifdef MOUSECFG_HAVE_XI
        if (m_dpy)
            XCloseDisplay(m_dpy);
        m_dpy = nullptr;
#endif
        if (m_xvfb.state() != QProcess::NotRunning) {
            m_xvfb.terminate();
            if (!m_xvfb.waitForFinished(5000)) {
                m_xvfb.kill();
                m_xvfb.waitForFinished(5000);
            }
        }
    }

#ifdef MOUSECFG_HAVE_XI
    void withoutTheDriverPropertyNothingIsAvailable()
    {
        X11PointerSpeed x11(m_display);
        QVERIFY(!x11.isAvailable());
        int speed = 6;
        QVERIFY(!x11.readSpeed(&speed));
        QCOMPARE(speed, 6);
        QVERIFY(x11.errorString().contains(QLatin1String(X11PointerSpeed::propertyName())));
        QVERIFY(!x11.applySpeed(12));
    }

    void readsAndWritesTheProperty()
    {
        const float half = 0.5f;
        QVERIFY(setRawProperty(XInternAtom(m_dpy, "FLOAT", False), 32, &half));
        X11PointerSpeed x11(m_display);
        QVERIFY(x11.isAvailable());
        int speed = 0;
        QVERIFY(x11.readSpeed(&speed));
        QCOMPARE(speed, 15);

        QVERIFY(x11.applySpeed(3));
        const QList<float> values = rawValues();
        QVERIFY(!values.isEmpty());
        for (float v : values)
            QCOMPARE(v, float(PointerSpeedScale::toLibinput(3))); // every pointer got it
        QVERIFY(x11.readSpeed(&speed));
        QCOMPARE(speed, 3);

        // The factory picks this backend for a plain X session.
        PointerSpeedEnvironment env;
        env.x11Display = m_display;
        auto backend = createPointerSpeed(env);
        QCOMPARE(backend->backendName(), QStringLiteral("x11"));
        QVERIFY(backend->readSpeed(&speed));
        QCOMPARE(speed, 3);
        deleteRawProperty();
    }

    void propertyOfAnotherTypeIsLeftAlone()
    {
        const qint32 one = 1;
        QVERIFY(setRawProperty(XA_INTEGER, 32, &one));
        X11PointerSpeed x11(m_display);
        QVERIFY(!x11.isAvailable());
        QVERIFY(!x11.applySpeed(20));
        deleteRawProperty();
    }

    void unreachableDisplay()
    {
        X11PointerSpeed x11(QStringLiteral(":9876"));
        QVERIFY(!x11.isAvailable());
        int speed = 8;
        QVERIFY(!x11.readSpeed(&speed));
        QCOMPARE(speed, 8);
        QVERIFY(x11.errorString().contains(QStringLiteral("display")));
    }
#endif
};

#ifdef MOUSECFG_HAVE_XI
int TestX11PointerSpeed::s_error = 0;
#endif

QTEST_GUILESS_MAIN(TestX11PointerSpeed)
#include "tst_x11pointerspeed.moc"
