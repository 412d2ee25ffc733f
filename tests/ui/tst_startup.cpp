#include "BundledFonts.h"
#include "Startup.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include "ticker.h"

#include <QLabel>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace shulin;

namespace {

// Records the windows in the order in which they were constructed: each new widget posts
// itself a polish request, and posted events arrive in the order they were posted.
class CreationOrder : public QObject {
public:
    QStringList windows;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::PolishRequest && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow())
            windows << QString::fromLatin1(watched->metaObject()->className());
        return false;
    }
};

struct Outcome {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString out;
    QString err;
};

Outcome Run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Outcome outcome;
    if (!process.waitForFinished(20'000)) {
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.exitCode = process.exitCode();
    outcome.status = process.exitStatus();
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

// An X server of the test's own, on a display it picks itself.
class XServer {
public:
    bool start()
    {
        process_.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
        if (!process_.waitForStarted(10'000))
            return false;
        QByteArray number;
        while (!number.endsWith('\n') && process_.waitForReadyRead(10'000))
            number += process_.readAllStandardOutput();
        display_ = ":" + QString::fromLatin1(number.trimmed());
        return display_.size() > 1;
    }

    QString display() const { return display_; }

    ~XServer()
    {
        process_.terminate();
        process_.waitForFinished(5'000);
    }

private:
    QProcess process_;
    QString display_;
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { RegisterBundledFonts(); }
    void cleanup() { DestroyForms(); }

    void startUpShouldCreateTheMainWindowFirstAndTheDrillWindowsHidden()
    {
        CreationOrder order;
        qApp->installEventFilter(&order);
        CreateForms();
        QCoreApplication::sendPostedEvents();
        qApp->removeEventFilter(&order);

        QCOMPARE(order.windows, (QStringList{"shulin::TForm1", "shulin::TForm2", "shulin::TForm3"}));
        QCOMPARE(MainForm(), Form1);
        QVERIFY(!Form1->isVisible());
        QVERIFY(!Form2->isVisible());
        QVERIFY(!Form3->isVisible());
        QCOMPARE(TickerPos(), 1);

        for (const DrillForm* drill : {static_cast<DrillForm*>(Form2), static_cast<DrillForm*>(Form3)}) {
            QCOMPARE(drill->Label25->text(), QStringLiteral("范围是10"));
            QCOMPARE(drill->state().RangeLimit, 10);
            const int slot = drill->state().CorrectSlot;
            QVERIFY(slot >= 1 && slot <= 4);
            QVERIFY(!drill->Label20->text().isEmpty());
            for (const QLabel* candidate : {drill->Label21, drill->Label22, drill->Label23, drill->Label24})
                QVERIFY(!candidate->text().isEmpty());
        }
        QCOMPARE(&Form2->state(), &AdditionState);
        QCOMPARE(&Form3->state(), &SubtractionState);
        QVERIFY(Form2->Label20->text().contains('+'));
        const QString opening = Form3->Label20->text();
        QVERIFY(opening.contains('-'));
        QVERIFY2(!opening.startsWith("10-"), qPrintable(opening)); // an opening subtraction stays below 10
    }

    void windowsShouldHaveTheirFixedSettings_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<Qt::CursorShape>("cursor");
        QTest::newRow("main") << 1 << "数林小径" << QPoint(72, 94) << QSize(673, 404) << Qt::ArrowCursor;
        QTest::newRow("addition") << 2 << "加法(请选择和的值范围)" << QPoint(74, 94) << QSize(673, 402)
                                  << Qt::ArrowCursor;
        QTest::newRow("subtraction") << 3 << "减法(请选择被减数的值范围)" << QPoint(72, 105) << QSize(675, 393)
                                     << Qt::PointingHandCursor;
    }

    void windowsShouldHaveTheirFixedSettings()
    {
        QFETCH(int, form);
        QFETCH(QString, caption);
        QFETCH(QPoint, position);
        QFETCH(QSize, client);
        QFETCH(Qt::CursorShape, cursor);
        CreateForms();
        QWidget* window = form == 1 ? static_cast<QWidget*>(Form1)
            : form == 2             ? static_cast<QWidget*>(Form2)
                                    : static_cast<QWidget*>(Form3);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->frameGeometry().topLeft(), position);
        QCOMPARE(window->size(), client);
        QCOMPARE(window->minimumSize(), client);
        QCOMPARE(window->maximumSize(), client);
        const Qt::WindowFlags flags = window->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window); // an ordinary window: it keeps its taskbar entry
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(window->palette().color(QPalette::Window), QColor(192, 220, 192));
        QVERIFY(window->autoFillBackground());
        QCOMPARE(window->cursor().shape(), cursor);
    }

    void tickerShouldStepEvery400msAlsoWhileTheMainWindowIsHidden()
    {
        CreateForms();
        QCOMPARE(Form1->Timer1->interval(), 400);
        QVERIFY(Form1->Timer1->isActive());
        QVERIFY(!Form1->isVisible());
        QCOMPARE(TickerPos(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(TickerPos(), 3, 2000);
    }

    void everyWayOfEndingShouldGiveItsExitCode_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err"); // a pattern for the whole of stderr; empty: not checked

        const QString destroyed = "destroyed Form3\ndestroyed Form2\ndestroyed Form1\n";
        QTest::newRow("mainWindowClosed") << DRIVER << QStringList{"close-main"} << "offscreen" << 0
                                          << "shown Form1\n" + destroyed << "";
        QTest::newRow("additionWindowClosedEndsAtOnce") << DRIVER << QStringList{"close-addition"} << "offscreen" << 0
                                                        << "shown Form1\nshown Form2\n" + destroyed << "";
        QTest::newRow("subtractionWindowClosedEndsAtOnce") << DRIVER << QStringList{"close-subtraction"} << "offscreen"
                                                           << 0 << "shown Form1\nshown Form3\n" + destroyed << "";
        QTest::newRow("argumentsHaveNoEffect") << DRIVER << QStringList{"close-main", "-platform", "nonesuch", "--help"}
                                               << "offscreen" << 0 << "shown Form1\n" + destroyed << "";

        // A start that fails: one line on stderr, exit code 1, no window on screen.
        const QString failed = "shulin: cannot start: ";
        QTest::newRow("noDisplay") << PROGRAM << QStringList{} << "xcb" << 1 << ""
                                   << failed + "[^\n]*could not connect to display[^\n]*\n";
        QTest::newRow("unusablePlatformPlugin") << PROGRAM << QStringList{} << "nonesuch" << 1 << ""
                                                << failed + "[^\n]*\"nonesuch\"[^\n]*\n";
        QTest::newRow("mainWindowCannotBeBuilt")
            << DRIVER << QStringList{"form-fails", "Form1"} << "offscreen" << 1 << "destroyed Form1\n"
            << failed + "the window Form1 cannot be built: its layout is broken\n";
        QTest::newRow("lastWindowCannotBeBuiltAfterTheOthers")
            << DRIVER << QStringList{"form-fails", "Form3"} << "offscreen" << 1 << destroyed
            << failed + "the window Form3 cannot be built: its layout is broken\n";
        QTest::newRow("pictureCannotBeLoaded")
            << DRIVER << QStringList{"pictures-missing"} << "offscreen" << 1 << "destroyed Form1\n"
            << failed + "the window Form1 cannot be built: the picture :/pictures/photo\\.bmp cannot be loaded: [^\n]+\n";
    }

    void everyWayOfEndingShouldGiveItsExitCode()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, platform);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", platform);
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        const Outcome outcome = Run(program, arguments, environment);

        QCOMPARE(outcome.status, QProcess::NormalExit); // never an abort signal
        QCOMPARE(outcome.exitCode, exitCode);
        QCOMPARE(outcome.out, out);
        if (!err.isEmpty()) {
            const QRegularExpression pattern(QRegularExpression::anchoredPattern(err));
            QVERIFY2(pattern.match(outcome.err).hasMatch(), qPrintable(outcome.err));
        }
    }

    // On the real window system: with an opener on PATH the click reaches it, so the run
    // without one shows what a click does when no browser can be opened.
    void creditLineWithoutABrowserShouldChangeNothingAndStayUp()
    {
        XServer server;
        QVERIFY2(server.start(), "Xvfb starts");
        QTemporaryDir bin;
        QVERIFY(bin.isValid());
        const QString asked = bin.filePath("asked");
        QFile opener(bin.filePath("xdg-open"));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write(("#!/bin/sh\nprintf '%s\\n' \"$1\" > '" + asked + "'\n").toUtf8());
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("DISPLAY", server.display());
        environment.insert("PATH", bin.path());
        for (const char* name : {"WAYLAND_DISPLAY", "BROWSER", "DEFAULT_BROWSER", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                 "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            environment.remove(name);
        const QString out = "shown Form1\nunchanged\ndestroyed Form3\ndestroyed Form2\ndestroyed Form1\n";

        const Outcome withOpener = Run(DRIVER, {"credit-line"}, environment);
        QCOMPARE(withOpener.status, QProcess::NormalExit);
        QCOMPARE(withOpener.exitCode, 0);
        QCOMPARE(withOpener.out, out);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(asked).size() > 0, 5000);
        QFile request(asked);
        QVERIFY(request.open(QIODevice::ReadOnly));
        QCOMPARE(request.readAll(), QByteArray(kHomePage) + "\n");

        QVERIFY(QFile::remove(opener.fileName()));
        const Outcome without = Run(DRIVER, {"credit-line"}, environment);
        QCOMPARE(without.status, QProcess::NormalExit);
        QCOMPARE(without.exitCode, 0);
        QCOMPARE(without.out, out);
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
