#include "Startup.h"

#include "BundledFonts.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace shulin {

namespace {

QWidget* mainForm = nullptr;
std::unique_ptr<QApplication> application;
FormBuildHook formBuildHook = nullptr;

// The toolkit's messages.  While the toolkit starts they are held back: if it cannot start,
// they are the reason given in the one line of the failure; if it can, they go on unchanged.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

QtMessageHandler toolkitHandler = nullptr;
std::mutex heldMutex;
bool holding = false;
std::atomic<bool> started = false; // the message loop has been reached
std::vector<HeldMessage> held;

const char* OrNull(const QByteArray& text)
{
    return text.isNull() ? nullptr : text.constData();
}

void PassOn(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (toolkitHandler)
        toolkitHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Writes the one line of a toolkit failure and ends the process with exit code 1.
[[noreturn]] void Fail(const QString& reason)
{
    std::fprintf(stderr, "shulin: %s: %s\n", started ? "stopped by a toolkit error" : "cannot start",
        qPrintable(reason.simplified()));
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

// A fatal message ends the program with exit code 1 instead of the toolkit's abort, in one
// line that gives the toolkit's reason: what its platform plugin said while the toolkit
// started, else the fatal message's first line.
void ReportToolkitMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    std::unique_lock lock(heldMutex);
    if (type == QtFatalMsg) {
        QStringList reasons;
        for (const HeldMessage& m : held) {
            if (m.type != QtDebugMsg && m.type != QtInfoMsg && m.category.startsWith("qt.qpa"))
                reasons << m.text.trimmed();
        }
        if (reasons.isEmpty())
            reasons << message.section(QLatin1Char('\n'), 0, 0);
        Fail(reasons.join(QStringLiteral("; ")));
    }
    if (holding) {
        held.push_back({type, QByteArray(context.file), QByteArray(context.function), QByteArray(context.category),
            context.line, message});
        return;
    }
    lock.unlock();
    PassOn(type, context, message);
}

// Passes on the messages held back while the toolkit started, in their order.
void StopHolding()
{
    std::vector<HeldMessage> messages;
    {
        const std::lock_guard lock(heldMutex);
        holding = false;
        messages.swap(held);
    }
    for (const HeldMessage& m : messages) {
        const QMessageLogContext context(OrNull(m.file), m.line, OrNull(m.function), OrNull(m.category));
        PassOn(m.type, context, m.text);
    }
}

// Allocates a window into reference, then builds it; on failure reference is reset to none.
template <class T>
void CreateForm(T*& reference)
{
    reference = new T;
    const QString name = reference->objectName();
    try {
        if (formBuildHook)
            formBuildHook(*reference);
        reference->Load();
    } catch (const std::exception& error) {
        delete reference;
        reference = nullptr;
        throw std::runtime_error("the window " + name.toStdString() + " cannot be built: " + error.what());
    } catch (...) {
        delete reference;
        reference = nullptr;
        throw std::runtime_error("the window " + name.toStdString() + " cannot be built");
    }
    if (!mainForm)
        mainForm = reference;
}

void HideForms()
{
    for (QWidget* form : {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form2), static_cast<QWidget*>(Form3)}) {
        if (form)
            form->hide();
    }
}

} // namespace

void SetFormBuildHook(FormBuildHook hook)
{
    formBuildHook = hook;
}

void CreateForms()
{
    CreateForm(Form1);
    CreateForm(Form2);
    CreateForm(Form3);
}

QWidget* MainForm()
{
    return mainForm;
}

void DestroyForms()
{
    delete Form3;
    Form3 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
    mainForm = nullptr;
}

void EndProgramNow()
{
    HideForms();
    DestroyForms();
    application.reset();
    std::exit(EXIT_SUCCESS);
}

int RunProgram(int, char* argv[])
{
    holding = true;
    toolkitHandler = qInstallMessageHandler(ReportToolkitMessage);

    // The toolkit sees the program's name only, so no argument can change what it does.
    static int toolkitArgc = 1;
    static char* toolkitArgv[] = {argv[0], nullptr};
    application = std::make_unique<QApplication>(toolkitArgc, toolkitArgv);
    StopHolding();

    // Read as PNG and nothing else: guessing the format would load every image-format plugin
    // on the machine.  Without its icon the program still runs.
    QFile iconFile(QStringLiteral(":/icons/shulin-32.png"));
    if (iconFile.open(QIODevice::ReadOnly)) {
        QImageReader icon(&iconFile, "png");
        icon.setAutoDetectImageFormat(false);
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon.read())));
    }
    RegisterBundledFonts();
    try {
        CreateForms();
    } catch (const std::exception& error) {
        DestroyForms();
        application.reset();
        std::fprintf(stderr, "shulin: cannot start: %s\n", error.what());
        return EXIT_FAILURE;
    }

    started = true;
    mainForm->show();
    QApplication::exec();

    HideForms();
    DestroyForms();
    application.reset();
    return EXIT_SUCCESS;
}

} // namespace shulin
