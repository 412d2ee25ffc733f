#include "Layout.h"

#include "BundledFonts.h"
#include "Form.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPixmap>

#include <stdexcept>
#include <string>

namespace shulin {

QColor Resolve(Colour colour, const QColor& window, const QPalette& desktop)
{
    switch (colour) {
    case Colour::Window: return window;
    case Colour::MoneyGreen: return colors::MoneyGreen;
    case Colour::SkyBlue: return colors::SkyBlue;
    case Colour::Blue: return colors::Blue;
    case Colour::Fuchsia: return colors::Fuchsia;
    case Colour::Aqua: return colors::Aqua;
    case Colour::Red: return colors::Red;
    case Colour::Teal: return colors::Teal;
    case Colour::WindowText: return desktop.color(QPalette::WindowText);
    case Colour::InfoBk: return desktop.color(QPalette::ToolTipBase);
    }
    return window;
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

namespace {

// The text colour, and for labels and pictures the background; a button keeps the platform's face.
void ApplyColours(QWidget& control, const ControlEntry& entry, const QColor& window)
{
    const QPalette desktop = QApplication::palette();
    QPalette palette = control.palette();
    const QColor text = Resolve(entry.font.colour, window, desktop);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    if (entry.kind != ControlKind::Button)
        palette.setColor(QPalette::Window, Resolve(entry.background, window, desktop));
    control.setPalette(palette);
}

QWidget* MakeLabel(QWidget& window, const ControlEntry& entry)
{
    auto* label = new ClickLabel(&window);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(false);
    label->setMargin(0);
    label->setIndent(0);
    label->setAutoFillBackground(true);
    label->setFont(LayoutFont(QString::fromUtf8(entry.font.face), entry.font.height, entry.font.bold, entry.font.italic));
    label->setText(QString::fromUtf8(entry.text));
    return label;
}

QWidget* MakePicture(QWidget& window, const ControlEntry& entry)
{
    // The format comes from the name alone: guessing it from the content would load every
    // image-format plugin on the machine.
    const QString path = QString::fromUtf8(entry.text);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("the picture ") + entry.text + " cannot be loaded: " + file.errorString().toStdString());
    QImageReader reader(&file, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    const QPixmap pixmap = QPixmap::fromImage(reader.read());
    if (pixmap.isNull())
        throw std::runtime_error(std::string("the picture ") + entry.text + " cannot be loaded: " + reader.errorString().toStdString());
    auto* picture = new ClickLabel(&window);
    picture->setAutoFillBackground(true);
    picture->setPixmap(pixmap);
    return picture;
}

QWidget* MakeButton(QWidget& window, const ControlEntry& entry)
{
    auto* button = new QPushButton(QString::fromUtf8(entry.text), &window);
    button->setFont(LayoutFont(QString::fromUtf8(entry.font.face), entry.font.height, entry.font.bold, entry.font.italic));
    button->setAutoDefault(false);
    return button;
}

} // namespace

QWidget* MakeControl(QWidget& window, const ControlEntry& entry)
{
    QWidget* control = nullptr;
    switch (entry.kind) {
    case ControlKind::Label: control = MakeLabel(window, entry); break;
    case ControlKind::Picture: control = MakePicture(window, entry); break;
    case ControlKind::Button: control = MakeButton(window, entry); break;
    }
    control->setObjectName(QString::fromLatin1(entry.name));
    ApplyColours(*control, entry, window.palette().color(QPalette::Window));

    control->move(entry.left, entry.top);
    if (entry.autoSize)
        control->resize(control->sizeHint());
    else
        control->resize(entry.width, entry.height);
    if (entry.pointer == Pointer::Hand)
        control->setCursor(Qt::PointingHandCursor);
    if (entry.accessibleName)
        control->setAccessibleName(QString::fromUtf8(entry.accessibleName));
    control->setVisible(entry.visible);
    return control;
}

} // namespace shulin
