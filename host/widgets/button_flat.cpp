#include "host/widgets/button_flat.h"

namespace host {

TButtonFlat::TButtonFlat(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    // Like a speed button: clicking it leaves the focus (and exit checks) where they are.
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QToolButton::clicked, this, [this] { OnClick.Fire(); });
}

} // namespace host
