#pragma once

#include <QColor>
#include <QLabel>
#include <QObject>
#include <QPalette>
#include <QPushButton>

#include <span>
#include <variant>

namespace shulin {

// The colours that layouts name.  Window is the background colour of the control's window.
enum class Colour { Window, MoneyGreen, SkyBlue, Blue, Fuchsia, Aqua, Red, Teal, WindowText, InfoBk };

// The colour behind a name; the system colours come from the desktop's palette.
QColor Resolve(Colour colour, const QColor& window, const QPalette& desktop);

enum class ControlKind { Label, Picture, Button };

// The mouse pointer over a control: the window's own, or the hand.
enum class Pointer { Inherit, Hand };

// A layout font: face as a Chinese Windows desktop names it, character height in pixels.
struct FontSpec {
    const char* face = nullptr; // null for pictures
    int height = 0;
    bool bold = false;
    bool italic = false;
    Colour colour = Colour::WindowText;
};

// Everything a layout says of one control but where its window keeps it and what a click does.
struct ControlEntry {
    const char* name;
    ControlKind kind;
    int left, top, width, height;
    const char* text; // the caption, or a picture's resource path
    FontSpec font;
    Colour background;
    bool autoSize;
    Pointer pointer;
    bool visible;
    const char* accessibleName = nullptr; // where the text alone does not say what the control is
};

// A label that reports a click: a left press and release inside it.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// Makes one control of window from its entry and gives it its place, look and pointer.
// Labels and pictures are ClickLabels; the button is a QPushButton.  Throws
// std::runtime_error when a picture cannot be loaded.
QWidget* MakeControl(QWidget& window, const ControlEntry& entry);

// One row of a window's layout: the entry, the window's field that keeps the control, and the
// handler of its click (or none).
template <class Window>
struct ControlRow {
    std::variant<QLabel* Window::*, QPushButton* Window::*> field;
    ControlEntry entry;
    void (Window::*onClick)() = nullptr;
};

// Makes the controls of a window from its layout, in the order of the rows: later controls
// lie above earlier ones.  Throws as MakeControl does; the controls made so far stay with
// the window.
template <class Window>
void BuildControls(Window& window, std::span<const ControlRow<Window>> rows)
{
    for (const ControlRow<Window>& row : rows) {
        QWidget* control = MakeControl(window, row.entry);
        std::visit([&](auto field) { window.*field = static_cast<std::remove_reference_t<decltype(window.*field)>>(control); },
            row.field);
        if (!row.onClick)
            continue;
        if (auto* label = qobject_cast<ClickLabel*>(control))
            QObject::connect(label, &ClickLabel::clicked, &window, row.onClick);
        else if (auto* button = qobject_cast<QPushButton*>(control))
            QObject::connect(button, &QPushButton::clicked, &window, row.onClick);
    }
}

} // namespace shulin
