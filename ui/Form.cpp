#include "Form.h"

#include <QPalette>

namespace shulin {

Form::Form(const FormSettings& settings)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(settings.caption);
    setFixedSize(settings.clientSize);
    move(settings.outerTopLeft);

    QPalette background = palette();
    background.setColor(QPalette::Window, settings.color);
    setPalette(background);
    setAutoFillBackground(true);
    if (settings.cursor != Qt::ArrowCursor)
        setCursor(settings.cursor);
}

} // namespace shulin
