#include "host/widgets/button_flat.h"

namespace host {

TButtonFlat::TButtonFlat(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QToolButton::clicked, this, [this] { OnClick.Fire(); });
}

} // namespace host
