// The toolkit's floor: one bare Qt Widgets window of the main window's size, place, frame and
// colour, and nothing else.  The start-up and idle figures of the program are read against it.
// With --text it also shows one line of text in the default font: the floor of any window that
// draws text, which the bare window never pays before its first paint (the font set-up).
// With --tick it runs an empty 400 ms timer: the floor of a program that wakes up that often.

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);

    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(673, 404);
    window.move(72, 94);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(192, 220, 192));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    const QByteArrayView option(argc > 1 ? argv[1] : "");
    if (option == "--text") {
        auto* text = new QLabel(QStringLiteral("数林小径"), &window);
        text->move(24, 32);
    }
    QTimer tick;
    if (option == "--tick") {
        QObject::connect(&tick, &QTimer::timeout, [] {});
        tick.start(400);
    }
    window.show();

    return QApplication::exec();
}
