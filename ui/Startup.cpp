#include "Startup.h"

#include "BundledFonts.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

namespace shulin {

namespace {

QWidget* mainForm = nullptr;
std::unique_ptr<QApplication> application;
QtMessageHandler toolkitHandler = nullptr;

// Passes the toolkit's messages on as they are, but ends a fatal one with exit code 1
// instead of the toolkit's abort.
void ReportToolkitMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (toolkitHandler)
        toolkitHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg) {
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
}

// Allocates a window into reference, then builds it; on failure reference is reset to none.
template <class T>
void CreateForm(T*& reference)
{
    reference = new T;
    try {
        reference->Load();
    } catch (...) {
        delete reference;
        reference = nullptr;
        throw;
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
    toolkitHandler = qInstallMessageHandler(ReportToolkitMessage);

    // The toolkit sees the program's name only, so no argument can change what it does.
    static int toolkitArgc = 1;
    static char* toolkitArgv[] = {argv[0], nullptr};
    application = std::make_unique<QApplication>(toolkitArgc, toolkitArgv);

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/shulin-32.png")));
    RegisterBundledFonts();
    try {
        CreateForms();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "shulin: a window cannot be created: %s\n", error.what());
        DestroyForms();
        return EXIT_FAILURE;
    }

    mainForm->show();
    QApplication::exec();

    HideForms();
    DestroyForms();
    application.reset();
    return EXIT_SUCCESS;
}

} // namespace shulin
