#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

namespace shulin {

// The settings of one window of the program, as its layout declares them.
struct FormSettings {
    QString caption;
    QPoint outerTopLeft; // screen position of the frame's top-left corner
    QSize clientSize;    // pixels at 96 dpi
    QColor color;        // background of the client area
    Qt::CursorShape cursor = Qt::ArrowCursor; // over the client area, where no control sets its own
};

// A fixed-size top-level window with a title bar that holds only a close button.
// It keeps its own taskbar entry and is created hidden.
class Form : public QWidget {
    Q_OBJECT

public:
    explicit Form(const FormSettings& settings);
};

// The named colours of the layouts.
namespace colors {
inline const QColor MoneyGreen{192, 220, 192};
inline const QColor SkyBlue{166, 202, 240};
inline const QColor Blue{0, 0, 255};
inline const QColor Fuchsia{255, 0, 255};
inline const QColor Aqua{0, 255, 255};
inline const QColor Red{255, 0, 0};
inline const QColor Teal{0, 128, 128};
} // namespace colors

} // namespace shulin
